#pragma once

// The application object: start-up, the document template, the recent-file
// list, the printer, and the application's own commands (New, Open, Print
// Setup, the recent files, Exit).

#include "CmdTarget.h"

#include <QString>

#include <memory>
#include <system_error>

class CDocument;
class CFrameWnd;
class CRecentFileList;
class CSingleDocTemplate;
class QPrinter;

constexpr int SW_SHOW = 5;

// What the command line asks the shell to do.
class CCommandLineInfo {
  public:
    enum { FileNew, FileOpen } m_nShellCommand = FileNew;
    QString m_strFileName;
};

class CWinApp : public CCmdTarget {
  public:
    CWinApp();
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Called once before the event loop; false ends the program without a
    // window.
    virtual bool InitInstance() { return true; }
    // Called once after the event loop: frees the document, frame and view.
    virtual int ExitInstance();

    // The file named on the command line, empty for none.
    void SetCommandLineFile(const QString& pathName) { m_strCommandLineFile = pathName; }

    // The settings go to the organization `key`, application AfxGetAppName().
    void SetRegistryKey(const QString& key) { m_strRegistryKey = key; }
    void LoadStdProfileSettings(int maxMRU);
    void AddDocTemplate(CSingleDocTemplate* docTemplate);
    CSingleDocTemplate* GetDocTemplate() const { return m_pDocTemplate.get(); }

    void ParseCommandLine(CCommandLineInfo& info) const;
    // New or Open as the command line asks. False when there is no window to
    // show; a file that cannot be opened is reported.
    bool ProcessShellCommand(const CCommandLineInfo& info);

    // File Open of a path; a failure is reported.
    CDocument* OpenDocumentFile(const QString& pathName);
    // Tells the user that a file could not be opened or read, or that the
    // window could not be made (ShellError). The framework has no words of
    // its own for it.
    virtual void ReportOpenFailure(const QString& /*pathName*/, std::error_code /*error*/) {}
    void AddToRecentFileList(const QString& pathName);
    CRecentFileList* GetRecentFileList() const { return m_pRecentFileList.get(); }

    // The printer that Print, Print Preview and Print Setup share.
    QPrinter& GetPrinter();

    CFrameWnd* m_pMainWnd = nullptr;

  protected:
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnAppExit();
    void OnOpenRecentFile(int index);
    void OnUpdateRecentFileMenu(CCmdUI* cmdUI);
    // Once a run: the recent-file list could not be saved.
    void ReportRecentFilesUnsaved();

  private:
    void UpdateMainWindow();

    QString m_strCommandLineFile;
    QString m_strRegistryKey;
    std::unique_ptr<CSingleDocTemplate> m_pDocTemplate;
    std::unique_ptr<CRecentFileList> m_pRecentFileList;
    std::unique_ptr<QPrinter> m_pPrinter;
    bool m_bRecentFilesReported = false;
};

CWinApp* AfxGetApp();
// The application's title (the string AFX_IDS_APP_TITLE): the caption of its
// message boxes and the name of its settings.
QString AfxGetAppName();
