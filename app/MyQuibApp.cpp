#include "MyQuibApp.h"

#include "AboutDialog.h"
#include "DataFileReader.h"
#include "DocTemplate.h"
#include "FrameWnd.h"
#include "MainFrame.h"
#include "MessageBox.h"
#include "MyQuibDoc.h"
#include "MyQuibView.h"
#include "OpenFailure.h"
#include "Panels.h"
#include "RecentFileList.h"
#include "Resources.h"

#include <QFile>
#include <QScreen>

#include <utility>

CMyQuibApp theApp;

CMyQuibApp::CMyQuibApp() {
    AfxSetResources(&kQuibResources);
    MapCommand(ID_APP_ABOUT, &CMyQuibApp::OnAppAbout);
    MapCommand(ID_FILE_NEW, &CMyQuibApp::OnFileNew);
    MapCommand(ID_FILE_OPEN, &CMyQuibApp::OnFileOpen);
    MapCommand(ID_FILE_PRINT_SETUP, &CMyQuibApp::OnFilePrintSetup);
    MapUpdateCommandUI(ID_FILE_NEW, &CMyQuibApp::OnUpdateFileCommand);
    MapUpdateCommandUI(ID_FILE_OPEN, &CMyQuibApp::OnUpdateFileCommand);
    for (int i = 0; i < AFX_MRU_COUNT; ++i) {
        MapCommand(ID_FILE_MRU_FILE1 + i, [this, i] { OnOpenRecent(i); });
        MapUpdateCommandUI(ID_FILE_MRU_FILE1 + i, &CMyQuibApp::OnUpdateRecentFile);
    }
}

bool CMyQuibApp::Reading() const {
    const CSingleDocTemplate* docTemplate = GetDocTemplate();
    const auto* document = docTemplate != nullptr
                               ? dynamic_cast<const CMyQuibDoc*>(docTemplate->GetDocument())
                               : nullptr;
    return document != nullptr && document->IsReading();
}

void CMyQuibApp::OnUpdateFileCommand(CCmdUI* cmdUI) {
    cmdUI->Enable(!Reading());
}

void CMyQuibApp::OnUpdateRecentFile(CCmdUI* cmdUI) {
    OnUpdateRecentFileMenu(cmdUI);
    if (Reading())
        cmdUI->Enable(false);
}

void CMyQuibApp::OnOpenRecent(int index) {
    const CRecentFileList* list = GetRecentFileList();
    if (list == nullptr || index >= list->GetSize())
        return;
    const QString path = (*list)[index];
    m_openCancelled = false;
    OnOpenRecentFile(index);
    if (std::exchange(m_openCancelled, false))
        AddToRecentFileList(path);
}

bool CMyQuibApp::InitInstance() {
    SetRegistryKey(QStringLiteral("Local AppWizard-Generated Applications"));
    LoadStdProfileSettings(4);
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CMyQuibDoc),
                                          RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CMyQuibView)));
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return false;
    if (auto* view = dynamic_cast<CMyQuibView*>(m_pMainWnd->GetActiveView()))
        quib::AttachPanels(*m_pMainWnd, *view);
    if (auto* document = dynamic_cast<CMyQuibDoc*>(m_pMainWnd->GetActiveDocument()))
        for (const QString& path : m_imports)
            document->ImportFile(path);
    m_pMainWnd->show();
    SizeToPicture();
    m_pMainWnd->repaint();
    return true;
}

// The frame grows by what the view lacks of the whole picture, up to the
// screen's free area.
void CMyQuibApp::SizeToPicture() {
    const QWidget* view = m_pMainWnd->GetActiveView();
    const QWidget* viewport = view != nullptr ? view->parentWidget() : nullptr;
    if (viewport == nullptr)
        return;
    const QSize missing = (view->minimumSize() - viewport->size()).expandedTo(QSize(0, 0));
    if (missing.width() == 0 && missing.height() == 0)
        return;
    QSize size = m_pMainWnd->size() + missing;
    if (const QScreen* screen = m_pMainWnd->screen())
        size = size.boundedTo(screen->availableGeometry().size() -
                              (m_pMainWnd->frameGeometry().size() - m_pMainWnd->size()));
    m_pMainWnd->resize(size);
}

void CMyQuibApp::ReportOpenFailure(const QString& pathName, std::error_code error) {
    // Whoever cancelled a read needs no word of it.
    if (error == std::errc::operation_canceled) {
        m_openCancelled = true;
        return;
    }
    const std::string message =
        error.category() == make_error_code(ShellError::WindowNotCreated).category()
            ? error.message()
            : quib::CannotOpenMessage(QFile::encodeName(pathName).toStdString(), error);
    if (m_pMainWnd != nullptr && m_pMainWnd->isVisible())
        AfxMessageBox(AsSentence(QString::fromLocal8Bit(message.c_str())), MB_ICONEXCLAMATION);
    else
        quib::ReportStartupFailure(message);
}

void CMyQuibApp::OnAppAbout() {
    CAboutDialog aboutDlg;
    aboutDlg.DoModal();
}
