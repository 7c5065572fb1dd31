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
#include "Resources.h"

#include <QFile>

CMyQuibApp theApp;

CMyQuibApp::CMyQuibApp() {
    AfxSetResources(&kQuibResources);
    MapCommand(ID_APP_ABOUT, &CMyQuibApp::OnAppAbout);
    MapCommand(ID_FILE_NEW, &CMyQuibApp::OnFileNew);
    MapCommand(ID_FILE_OPEN, &CMyQuibApp::OnFileOpen);
    MapCommand(ID_FILE_PRINT_SETUP, &CMyQuibApp::OnFilePrintSetup);
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
    m_pMainWnd->show();
    m_pMainWnd->repaint();
    return true;
}

void CMyQuibApp::ReportOpenFailure(const QString& pathName, int error) {
    const std::string message =
        error != 0 ? CannotOpenMessage(QFile::encodeName(pathName).toStdString(), error)
                   : "the window cannot be created";
    if (m_pMainWnd != nullptr && m_pMainWnd->isVisible())
        AfxMessageBox(AsSentence(message), MB_ICONEXCLAMATION);
    else
        ReportStartupFailure(message);
}

void CMyQuibApp::OnAppAbout() {
    CAboutDialog aboutDlg;
    aboutDlg.DoModal();
}
