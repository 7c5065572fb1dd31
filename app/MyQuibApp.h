#pragma once

#include "WinApp.h"

#include <QStringList>

// The application: configures the framework, registers the one document
// template and opens what the command line names.
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
    // While a read runs, New, Open and the recent files wait for its end.
    void OnUpdateFileCommand(CCmdUI* cmdUI);
    void OnUpdateRecentFile(CCmdUI* cmdUI);
    // A recent file whose read was cancelled stays in the list.
    void OnOpenRecent(int index);

  private:
    bool Reading() const;
    // Large enough for the whole picture, where the screen allows.
    void SizeToPicture();

    QStringList m_imports;
    bool m_openCancelled = false;
};

extern CMyQuibApp theApp;
