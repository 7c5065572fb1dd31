#include "DocTemplate.h"

#include "AfxResources.h"
#include "Document.h"
#include "ErrorCodes.h"
#include "FrameWnd.h"
#include "View.h"
#include "WaitCursor.h"

namespace {

const char* Describe(ShellError error) {
    return error == ShellError::WindowNotCreated ? "the window cannot be created"
                                                 : "a new document cannot be started";
}

} // namespace

std::error_code make_error_code(ShellError error) {
    return quib::MakeErrorCode<ShellError, Describe>(error, "shell");
}

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, CRuntimeClass docClass,
                                       CRuntimeClass frameClass, CRuntimeClass viewClass)
    : m_nIDResource(nIDResource), m_docClass(docClass), m_frameClass(frameClass),
      m_viewClass(viewClass) {}

QString CSingleDocTemplate::GetDocString(DocStringIndex index) const {
    return AfxLoadString(m_nIDResource).section(QLatin1Char('\n'), index, index);
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* document) const {
    const QString name = GetDocString(docName);
    document->SetTitle(name.isEmpty() ? QStringLiteral("Untitled") : name);
}

CSingleDocTemplate::~CSingleDocTemplate() {
    // The view refers to the document while it goes.
    m_pFrame.reset();
    m_pOnlyDoc.reset();
}

bool CSingleDocTemplate::CreateDocumentAndFrame() {
    std::unique_ptr<CObject> docObject(m_docClass.CreateObject());
    std::unique_ptr<CObject> frameObject(m_frameClass.CreateObject());
    auto* document = dynamic_cast<CDocument*>(docObject.get());
    auto* frame = dynamic_cast<CFrameWnd*>(frameObject.get());
    if (document == nullptr || frame == nullptr)
        return false;
    docObject.release();
    frameObject.release();
    m_pOnlyDoc.reset(document);
    m_pFrame.reset(frame);
    CCreateContext context{&m_viewClass, document};
    if (m_pFrame->LoadFrame(m_nIDResource, &context))
        return true;
    m_pFrame.reset();
    m_pOnlyDoc.reset();
    return false;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const QString& pathName, std::error_code& error) {
    const bool created = m_pOnlyDoc == nullptr;
    if (created && !CreateDocumentAndFrame()) {
        error = ShellError::WindowNotCreated;
        return nullptr;
    }
    CDocument* document = m_pOnlyDoc.get();
    if (pathName.isEmpty()) {
        SetDefaultTitle(document);
        error = document->OnNewDocument() ? std::error_code() : ShellError::NewDocumentRefused;
    } else {
        const CWaitCursor busy;
        error = document->OnOpenDocument(pathName);
    }
    if (error) {
        if (created) {
            m_pFrame.reset();
            m_pOnlyDoc.reset();
        } else {
            document->ClearPathName();
            SetDefaultTitle(document);
            document->UpdateAllViews(nullptr);
        }
        return nullptr;
    }
    if (!pathName.isEmpty())
        document->SetPathName(pathName);
    if (CView* view = m_pFrame->GetActiveView())
        view->OnInitialUpdate();
    m_pFrame->OnUpdateFrameTitle();
    return document;
}
