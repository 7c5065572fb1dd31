#pragma once

#include "WinApp.h"

// The application: configures the framework, registers the one document
// template and opens what the command line names.
class CMyQuibApp : public CWinApp {
  public:
    CMyQuibApp();

    bool InitInstance() override;
    // In the window a message box; at start-up standard error, and a box
    // where nobody reads that.
    void ReportOpenFailure(const QString& pathName, int error) override;

  protected:
    void OnAppAbout();
};

extern CMyQuibApp theApp;
