#pragma once

// The status bar: a stretching message pane that shows command prompts and
// the idle text, then one pane per indicator, showing its text while its
// update handler enables it.

#include "FrameWnd.h"

#include <QStatusBar>

#include <vector>

class QLabel;

class CStatusBar : public QStatusBar {
  public:
    explicit CStatusBar(QWidget* parent = nullptr) : QStatusBar(parent) {}

    bool Create(CFrameWnd* parent, DWORD style, UINT id);
    // ID_SEPARATOR is the message pane; every other id names a string.
    bool SetIndicators(const UINT* ids, int count);
    // Runs the panes' update handlers as the frame found them.
    void OnUpdateCmdUI(const CFrameWnd* target);

    // The message pane's resting text, or the prompt shown over it.
    QString GetMessageText() const;

  private:
    struct Pane {
        UINT id;
        QLabel* label;
        QString text;
    };
    std::vector<Pane> m_panes;
    QLabel* m_messagePane = nullptr;
};
