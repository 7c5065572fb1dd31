#include "CmdUI.h"

#include <QAction>
#include <QLabel>

void CActionCmdUI::Enable(bool on) {
    m_action->setEnabled(on);
}

void CActionCmdUI::SetCheck(int check) {
    m_action->setCheckable(true);
    m_action->setChecked(check != 0);
}

void CActionCmdUI::SetText(const QString& text) {
    m_action->setText(text);
}
void CActionCmdUI::Show(bool on) {
    m_action->setVisible(on);
}

void CPaneCmdUI::Enable(bool on) {
    m_pane->setText(on ? m_text : QString());
}

void CPaneCmdUI::SetText(const QString& text) {
    m_text = text;
    m_pane->setText(text);
}
