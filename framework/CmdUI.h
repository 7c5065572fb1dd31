#pragma once

// The command-UI objects the frame hands to update handlers.

#include "CmdTarget.h"

class QAction;
class QLabel;

// A command's action: its menu item, toolbar button and keys at once.
class CActionCmdUI : public CCmdUI {
  public:
    CActionCmdUI(UINT id, QAction* action) : CCmdUI(id), m_action(action) {}
    void Enable(bool on) override;
    void SetCheck(int check) override;
    void SetText(const QString& text) override;
    void Show(bool on) override;

  private:
    QAction* m_action;
};

// A status bar pane: shows its text while enabled.
class CPaneCmdUI : public CCmdUI {
  public:
    CPaneCmdUI(UINT id, QLabel* pane, QString text)
        : CCmdUI(id), m_pane(pane), m_text(std::move(text)) {}
    void Enable(bool on) override;
    void SetCheck(int) override {}
    void SetText(const QString& text) override;
    void Show(bool) override {}

  private:
    QLabel* m_pane;
    QString m_text;
};
