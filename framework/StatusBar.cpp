#include "StatusBar.h"

#include "AfxResources.h"

#include <QLabel>

namespace {

// A lock pane: shows its text while enabled.
class PaneCmdUI : public CCmdUI {
  public:
    PaneCmdUI(UINT id, QLabel* pane, QString text)
        : CCmdUI(id), m_pane(pane), m_text(std::move(text)) {}
    void Enable(bool on) override { m_pane->setText(on ? m_text : QString()); }
    void SetCheck(int) override {}
    void SetText(const QString& text) override {
        m_text = text;
        m_pane->setText(text);
    }
    void Show(bool) override {}

  private:
    QLabel* m_pane;
    QString m_text;
};

} // namespace

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
        PaneCmdUI ui(pane.id, pane.label, pane.text);
        if (!target->UpdateCmdUI(pane.id, &ui))
            ui.Enable(false);
    }
}

QString CStatusBar::GetMessageText() const {
    if (!currentMessage().isEmpty())
        return currentMessage();
    return m_messagePane != nullptr ? m_messagePane->text() : QString();
}
