#pragma once

// The main frame: menu, keys, a dockable toolbar and the status bar, all
// from the resources of IDR_MAINFRAME, around the view.

#include "FrameWnd.h"
#include "StatusBar.h"
#include "ToolBar.h"

class CMainFrame : public CFrameWnd {
  public:
    CMainFrame();

    bool PreCreateWindow(CREATESTRUCT& cs) override;

  protected:
    int OnCreate(CREATESTRUCT* cs) override;
    // The first file opened as File Open does, the others imported beside it
    // in order.
    void OnDropFiles(const QStringList& pathNames) override;

  private:
    // Children of the frame.
    CStatusBar* m_wndStatusBar;
    CToolBar* m_wndToolBar;
};

// The status bar's panes: the message pane, then the lock keys.
extern const UINT indicators[4];
