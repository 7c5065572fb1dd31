#include "MyQuibApp.h"

#include "AboutDialog.h"
#include "DataFileReader.h"
#include "DocTemplate.h"
#include "DocumentLoader.h"
#include "FileDialog.h"
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
    MapCommand(ID_FILE_OPEN, &CMyQuibApp::OnOpenFile);
    MapCommand(ID_FILE_PRINT_SETUP, &CMyQuibApp::OnFilePrintSetup);
    MapUpdateCommandUI(ID_FILE_NEW, &CMyQuibApp::OnUpdateFileCommand);
    MapUpdateCommandUI(ID_FILE_OPEN, &CMyQuibApp::OnUpdateFileCommand);
    for (int i = 0; i < AFX_MRU_COUNT; ++i) {
        MapCommand(ID_FILE_MRU_FILE1 + i, [this, i] { OnOpenRecent(i); });
        MapUpdateCommandUI(ID_FILE_MRU_FILE1 + i, &CMyQuibApp::OnUpdateRecentFile);
    }
}

CMyQuibDoc* CMyQuibApp::Document() const {
    const CSingleDocTemplate* docTemplate = GetDocTemplate();
    return docTemplate != nullptr ? dynamic_cast<CMyQuibDoc*>(docTemplate->GetDocument()) : nullptr;
}

bool CMyQuibApp::Reading() const {
    const CMyQuibDoc* document = Document();
    return document != nullptr && document->IsReading();
}

void CMyQuibApp::OnOpenFile() {
    CFileDialog dialog(true);
    if (dialog.DoModal() == IDOK && Document() != nullptr)
        Document()->OpenInWindow(dialog.GetPathName(), {});
}

void CMyQuibApp::OnUpdateFileCommand(CCmdUI* cmdUI) {
    cmdUI->Enable(!Reading());
}

void CMyQuibApp::OnUpdateRecentFile(CCmdUI* cmdUI) {
    OnUpdateRecentFileMenu(cmdUI);
    if (Reading())
        cmdUI->Enable(false);
}

// A recent file that cannot be opened leaves the list; one whose read was
// cancelled stays.
void CMyQuibApp::OnOpenRecent(int index) {
    const CRecentFileList* list = GetRecentFileList();
    if (list == nullptr || index >= list->GetSize() || Document() == nullptr)
        return;
    const QString path = (*list)[index];
    m_openCancelled = false;
    Document()->OpenInWindow(path, {}, [this, path](bool opened) {
        CRecentFileList* recent = GetRecentFileList();
        if (opened || std::exchange(m_openCancelled, false) || recent == nullptr)
            return;
        for (int k = 0; k < recent->GetSize(); ++k)
            if ((*recent)[k] == path && !recent->Remove(k))
                ReportRecentFilesUnsaved();
    });
}

bool CMyQuibApp::InitInstance() {
    SetRegistryKey(QStringLiteral("Local AppWizard-Generated Applications"));
    LoadStdProfileSettings(4);
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CMyQuibDoc),
                                          RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CMyQuibView)));
    // The window shows at once, empty; the command line's file is then read
    // as File Open reads one, its progress shown and the keys answering.
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    CCommandLineInfo empty;
    if (!ProcessShellCommand(empty))
        return false;
    auto* view = dynamic_cast<CMyQuibView*>(m_pMainWnd->GetActiveView());
    CMyQuibDoc* document = Document();
    if (view == nullptr || document == nullptr)
        return false;
    const quib::DocumentLoader* loader = quib::AttachPanels(*m_pMainWnd, *view, *document);
    QObject::connect(loader, &quib::DocumentLoader::BusyChanged, m_pMainWnd,
                     [frame = m_pMainWnd] { frame->UpdateCommandUI(); });
    m_pMainWnd->show();
    // Grown to the picture once its files are read, unless the user has
    // sized the window meanwhile.
    const QSize shown = m_pMainWnd->size();
    if (cmdInfo.m_nShellCommand == CCommandLineInfo::FileOpen)
        document->OpenInWindow(cmdInfo.m_strFileName, m_imports, [this, shown](bool opened) {
            if (opened && m_pMainWnd->size() == shown)
                SizeToPicture();
        });
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
