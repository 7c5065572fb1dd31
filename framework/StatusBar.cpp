#include "StatusBar.h"

#include "AfxResources.h"
#include "CmdUI.h"

#include <QLabel>

bool CStatusBar::Create(CFrameWnd* parent, DWORD, UINT id) {
    if (parent == nullptr)
        return false;
    setObjectName(QStringLiteral("AFX_IDW_STATUS_BAR"));
    parent->setStatusBar(this);
    parent->AddControlBar(id, this);
    return true;
}

bool CStatusBar::SetIndicators(const UINT* ids, int count) {
    for (int i = 0; i < count; ++i) {
        if (ids[i] == ID_SEPARATOR) {
            m_messagePane = new QLabel(AfxLoadString(AFX_IDS_IDLEMESSAGE), this);
            addWidget(m_messagePane, 1);
            continue;
        }
        const QString text = AfxLoadString(ids[i]);
        if (text.isEmpty())
            return false;
        auto* pane = new QLabel(this);
        pane->setObjectName(text);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(text) + 8);
        addPermanentWidget(pane);
        m_panes.push_back({ids[i], pane, text});
    }
    return true;
}

void CStatusBar::OnUpdateCmdUI(const CFrameWnd* target) {
    for (const Pane& pane : m_panes) {
        CPaneCmdUI ui(pane.id, pane.label, pane.text);
        if (!target->UpdateCmdUI(pane.id, &ui))
            ui.Enable(false);
    }
}

QString CStatusBar::GetMessageText() const {
    if (!currentMessage().isEmpty())
        return currentMessage();
    return m_messagePane != nullptr ? m_messagePane->text() : QString();
}
