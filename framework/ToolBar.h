#pragma once

// The toolbar: the frame's actions for the buttons of a toolbar resource,
// with their images cut from the resource's strip of button pictures.

#include "FrameWnd.h"

#include <QToolBar>

class CToolBar : public QToolBar {
  public:
    explicit CToolBar(QWidget* parent = nullptr) : QToolBar(parent) {}

    // Makes the bar a child of the frame, registered under `id`. The style
    // gives its first edge and whether it has a gripper to drag it by.
    bool CreateEx(CFrameWnd* parent, DWORD controlStyle, DWORD style, UINT id);
    // Adds the buttons of the frame's toolbar resource; false when its
    // button pictures are missing.
    bool LoadToolBar(UINT nIDResource);
    // The edges it may dock at; it may always float.
    void EnableDocking(DWORD dockStyle);

    DWORD GetBarStyle() const { return m_dwStyle; }

  private:
    CFrameWnd* m_pFrame = nullptr;
    DWORD m_dwStyle = 0;
};
