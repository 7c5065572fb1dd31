#include "WinApp.h"

#include "AfxResources.h"
#include "DocTemplate.h"
#include "Document.h"
#include "FileDialog.h"
#include "FrameWnd.h"
#include "MessageBox.h"
#include "RecentFileList.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include <utility>

namespace {
CWinApp* g_app = nullptr;
} // namespace

CWinApp* AfxGetApp() {
    return g_app;
}

QString AfxGetAppName() {
    return AfxLoadString(AFX_IDS_APP_TITLE);
}

CWinApp::CWinApp() {
    g_app = this;
    for (int i = 0; i < AFX_MRU_COUNT; ++i) {
        MapCommand(ID_FILE_MRU_FILE1 + i, [this, i] { OnOpenRecentFile(i); });
        MapUpdateCommandUI(ID_FILE_MRU_FILE1 + i, &CWinApp::OnUpdateRecentFileMenu);
    }
    MapCommand(ID_APP_EXIT, &CWinApp::OnAppExit);
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

int CWinApp::ExitInstance() {
    m_pMainWnd = nullptr;
    m_pDocTemplate.reset();
    m_pPrinter.reset();
    return 0;
}

void CWinApp::LoadStdProfileSettings(int maxMRU) {
    m_pRecentFileList = std::make_unique<CRecentFileList>(m_strRegistryKey, AfxGetAppName(),
                                                          QStringLiteral("Recent File List"),
                                                          std::min(maxMRU, AFX_MRU_COUNT));
    m_pRecentFileList->ReadList();
}

void CWinApp::AddDocTemplate(CSingleDocTemplate* docTemplate) {
    m_pDocTemplate.reset(docTemplate);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) const {
    info.m_strFileName = m_strCommandLineFile;
    info.m_nShellCommand =
        m_strCommandLineFile.isEmpty() ? CCommandLineInfo::FileNew : CCommandLineInfo::FileOpen;
}

bool CWinApp::ProcessShellCommand(const CCommandLineInfo& info) {
    if (m_pDocTemplate == nullptr)
        return false;
    const QString path =
        info.m_nShellCommand == CCommandLineInfo::FileOpen ? info.m_strFileName : QString();
    return OpenDocumentFile(path) != nullptr;
}

void CWinApp::UpdateMainWindow() {
    m_pMainWnd = m_pDocTemplate != nullptr ? m_pDocTemplate->GetFrame() : nullptr;
}

CDocument* CWinApp::OpenDocumentFile(const QString& pathName) {
    if (m_pDocTemplate == nullptr)
        return nullptr;
    std::error_code error;
    CDocument* document = m_pDocTemplate->OpenDocumentFile(pathName, error);
    UpdateMainWindow();
    if (document == nullptr)
        ReportOpenFailure(pathName, error);
    return document;
}

void CWinApp::AddToRecentFileList(const QString& pathName) {
    if (m_pRecentFileList != nullptr && !m_pRecentFileList->Add(pathName))
        ReportRecentFilesUnsaved();
}

// Once a run: the list still works for this run, and the user knows it will
// not be there next time.
void CWinApp::ReportRecentFilesUnsaved() {
    if (std::exchange(m_bRecentFilesReported, true))
        return;
    AfxMessageBox(
        QStringLiteral(
            "The list of recent files cannot be saved in '%1': it lasts for this run only.")
            .arg(m_pRecentFileList->FileName()),
        MB_ICONEXCLAMATION);
}

QPrinter& CWinApp::GetPrinter() {
    if (m_pPrinter == nullptr)
        m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_pPrinter;
}

// A New that fails is told as an open that fails.
void CWinApp::OnFileNew() {
    OpenDocumentFile(QString());
}

void CWinApp::OnFileOpen() {
    CFileDialog dialog(true);
    if (dialog.DoModal() == IDOK)
        OpenDocumentFile(dialog.GetPathName());
}

// The print dialog, asked only to set up: which printer or file, the paper
// and its orientation. Qt's page setup dialog refuses the PDF printer, the
// only one where no printer is installed.
void CWinApp::OnFilePrintSetup() {
    QPrintDialog dialog(&GetPrinter(), m_pMainWnd);
    dialog.setWindowTitle(QStringLiteral("Print Setup"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile);
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    dialog.exec();
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd != nullptr)
        m_pMainWnd->close();
}

void CWinApp::OnOpenRecentFile(int index) {
    if (m_pRecentFileList == nullptr || index >= m_pRecentFileList->GetSize())
        return;
    // A copy: a successful open reorders the list.
    const QString path = (*m_pRecentFileList)[index];
    if (OpenDocumentFile(path) == nullptr && !m_pRecentFileList->Remove(index))
        ReportRecentFilesUnsaved();
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* cmdUI) {
    const int index = static_cast<int>(cmdUI->m_nID - ID_FILE_MRU_FILE1);
    const int count = m_pRecentFileList != nullptr ? m_pRecentFileList->GetSize() : 0;
    if (index < count) {
        cmdUI->SetText(m_pRecentFileList->GetMenuLabel(index));
        cmdUI->Enable(true);
        cmdUI->Show(true);
    } else if (index == 0) {
        // With no entries the placeholder stays, greyed.
        cmdUI->SetText(AfxFindMenuLabel(ID_FILE_MRU_FILE1));
        cmdUI->Enable(false);
        cmdUI->Show(true);
    } else {
        cmdUI->Show(false);
    }
}
