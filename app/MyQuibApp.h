#pragma once

#include "WinApp.h"

#include <QStringList>

class CMyQuibDoc;

// The application: configures the framework, registers the one document
// template, shows the window and opens in it what the command line names.
class CMyQuibApp : public CWinApp {
  public:
    CMyQuibApp();

    // The files the command line imports beside its FILE, in order.
    void SetCommandLineImports(const QStringList& pathNames) { m_imports = pathNames; }

    bool InitInstance() override;
    // In the window a message box; at start-up standard error, and a box
    // where nobody reads that.
    void ReportOpenFailure(const QString& pathName, std::error_code error) override;

  protected:
    void OnAppAbout();
    // File Open and the recent files read off the window's thread; while a
    // read runs, New, Open and the recent files wait for its end.
    void OnOpenFile();
    void OnOpenRecent(int index);
    void OnUpdateFileCommand(CCmdUI* cmdUI);
    void OnUpdateRecentFile(CCmdUI* cmdUI);

  private:
    CMyQuibDoc* Document() const;
    bool Reading() const;
    // Large enough for the whole picture, where the screen allows.
    void SizeToPicture();

    QStringList m_imports;
    bool m_openCancelled = false;
};

extern CMyQuibApp theApp;
