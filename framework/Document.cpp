#include "Document.h"

#include "DocTemplate.h"
#include "FrameWnd.h"
#include "View.h"
#include "WinApp.h"

#include <QFileInfo>

bool CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.clear();
    return true;
}

std::error_code CDocument::OnOpenDocument(const QString&) {
    return std::make_error_code(std::errc::function_not_supported);
}

void CDocument::Serialize(CArchive&) {}

void CDocument::SetTitle(const QString& title) {
    m_strTitle = title;
    for (CView* view : m_views)
        if (CFrameWnd* frame = view->GetParentFrame())
            frame->OnUpdateFrameTitle();
}

void CDocument::SetPathName(const QString& pathName, bool addToMRU) {
    m_strPathName = QFileInfo(pathName).absoluteFilePath();
    SetTitle(QFileInfo(pathName).fileName());
    if (addToMRU && AfxGetApp() != nullptr)
        AfxGetApp()->AddToRecentFileList(m_strPathName);
}

void CDocument::AddView(CView* view) {
    m_views.push_back(view);
    view->m_pDocument = this;
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint) {
    for (CView* view : m_views)
        if (view != sender)
            view->OnUpdate(sender, hint);
}
