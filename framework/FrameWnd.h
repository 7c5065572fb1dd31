#pragma once

// The frame: a main window whose menu and keys are built from the resource
// tables, one action per command. When it is built it finds each command's
// handlers in the active view, its document, itself and the application, in
// that order, and it keeps each action's enabled, checked and text state from
// the update handlers whenever that state can change: a menu about to show,
// after a command, after the document changes, after a lock key.

#include "CmdTarget.h"

#include <QMainWindow>

#include <map>

class CDocument;
class CView;
class CToolBar;
class QKeyEvent;
class QMenu;

// The frame's size and place before it is created.
struct CREATESTRUCT {
    int x = 0, y = 0, cx = 0, cy = 0; // zero size: the usual size of a new window
    DWORD style = 0;
};

// What the document template hands to a new frame.
struct CCreateContext {
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
};

// Control-bar styles; the bars use the alignment, gripper and docking bits.
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD CBRS_ALIGN_LEFT = 0x1000;
constexpr DWORD CBRS_ALIGN_TOP = 0x2000;
constexpr DWORD CBRS_ALIGN_RIGHT = 0x4000;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000;
constexpr DWORD CBRS_ALIGN_ANY = 0xF000;
constexpr DWORD CBRS_BORDER_TOP = 0x0200;
constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800;
constexpr DWORD CBRS_TOOLTIPS = 0x0010;
constexpr DWORD CBRS_FLYBY = 0x0020;
constexpr DWORD CBRS_GRIPPER = 0x00400000;
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0004;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
constexpr DWORD TBSTYLE_FLAT = 0x0800;

// The edges that the alignment bits of a style name.
Qt::ToolBarAreas DockAreas(DWORD dockStyle);

class CFrameWnd : public QMainWindow, public CCmdTarget {
  public:
    CFrameWnd();

    // Builds the actions, the menu and the keys of that resource, then
    // creates the frame and, from the context, its view. False when any part
    // cannot be created.
    bool LoadFrame(UINT nIDResource, CCreateContext* context);
    virtual bool PreCreateWindow(CREATESTRUCT&) { return true; }

    CView* GetActiveView() const { return m_pActiveView; }
    CDocument* GetActiveDocument() const;
    QAction* FindAction(UINT id) const;

    // The caption: the document's title, " - ", the application's title.
    virtual void OnUpdateFrameTitle();

    // Runs a command as its menu item, key or button does: not at all when
    // no target handles it or its update handler disables it.
    void SendCommand(UINT id);
    // The command being run, 0 between commands.
    UINT GetCurrentCommand() const { return m_nCurrentCommand; }
    bool HandlesCommand(UINT id) const;
    // A key of the accelerator table that reached a widget of the frame: its
    // shortcut did not fire, as where the platform has not told Qt that the
    // window is active though its keys arrive (some Wayland compositors).
    // Runs the command as the shortcut would have; true when the key is one.
    bool TranslateAccelerator(const QKeyEvent* event);
    // Runs the command's update handler on ui; false when it has none.
    bool UpdateCmdUI(UINT id, CCmdUI* ui) const;
    // Brings every action and status pane up to date.
    void UpdateCommandUI();

    // Files dragged from a file manager may be dropped on the frame; a drop
    // goes to OnDropFiles.
    void DragAcceptFiles(bool accept = true);

    void EnableDocking(DWORD dockStyle);
    void DockControlBar(CToolBar* bar);
    // The bars register under their child ids, which are the View menu's
    // commands that show and hide them.
    void AddControlBar(UINT id, QWidget* bar) { m_controlBars[id] = bar; }
    QWidget* GetControlBar(UINT id) const;

  protected:
    // Called once the actions and the menu exist; -1 makes the creation fail.
    virtual int OnCreate(CREATESTRUCT* cs);
    virtual bool OnCreateClient(CREATESTRUCT* cs, CCreateContext* context);

    void OnBarCheck(UINT id);
    void OnUpdateControlBarMenu(CCmdUI* cmdUI);
    void OnUpdateKeyIndicator(CCmdUI* cmdUI);

    // Local files dropped on the frame, in the order dragged; by default the
    // first is opened.
    virtual void OnDropFiles(const QStringList& pathNames);
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    // A lock key pressed anywhere in the program, or state that changed while
    // another window had the keyboard, shows in the lock panes.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    struct Handlers {
        CommandHandler command;
        UpdateHandler update;
    };
    void CreateActions();
    void BuildMenu();
    void FindHandlers();
    void UpdateAction(UINT id, QAction* action);
    void UpdatePanes();

    CCreateContext* m_pContext = nullptr;
    CView* m_pActiveView = nullptr;
    QString m_strTitle;
    UINT m_nCurrentCommand = 0;
    DWORD m_dwDockStyle = 0;
    std::map<UINT, QAction*> m_actions;
    std::map<UINT, Handlers> m_handlers;
    std::map<UINT, QWidget*> m_controlBars;
};
