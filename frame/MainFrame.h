#pragma once

// The main frame: menu, keys, a dockable toolbar and the status bar, all
// from the resources of IDR_MAINFRAME, around the view; and between the View
// and Help menus the "Data" menu of the view's added commands.

#include "FrameWnd.h"
#include "StatusBar.h"
#include "ToolBar.h"

class CMyQuibDoc;

class CMainFrame : public CFrameWnd {
  public:
    CMainFrame();

    bool PreCreateWindow(CREATESTRUCT& cs) override;

  protected:
    int OnCreate(CREATESTRUCT* cs) override;
    // The first file opened as File Open does, the others imported beside it
    // in order; refused as they come while a read runs.
    void OnDropFiles(const QStringList& pathNames) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    // A read under way stops before the window goes.
    void closeEvent(QCloseEvent* event) override;

  private:
    CMyQuibDoc* Document() const;

    // Children of the frame.
    CStatusBar* m_wndStatusBar;
    CToolBar* m_wndToolBar;
};

// The status bar's panes: the message pane, then the lock keys.
extern const UINT indicators[4];
