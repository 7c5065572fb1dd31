#pragma once

#include "WinApp.h"

// The application: configures the framework, registers the one document
// template and opens what the command line names.
class CMyQuibApp : public CWinApp {
  public:
    CMyQuibApp();

    bool InitInstance() override;

  protected:
    void OnAppAbout();
};

extern CMyQuibApp theApp;
