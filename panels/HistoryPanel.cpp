#include "HistoryPanel.h"

#include "HistoryCanvas.h"
#include "LatticeTables.h"

namespace quib {

namespace {

QString TitleOf(int node) {
    return QStringLiteral("History of %1").arg(QString::fromLatin1(DisplayLabel(node)));
}

} // namespace

HistoryPanel::HistoryPanel(CMyQuibView& view, QWidget* parent)
    : WholeFilePanel(view, TitleOf(kNodeCount - 1), parent),
      m_canvas(new HistoryCanvas(Document())), m_history([this] { Built(); }) {
    setObjectName(QStringLiteral("historyPanel"));
    SetBody(m_canvas, m_canvas);
}

void HistoryPanel::ShowNode(int node) {
    m_node = node;
    setWindowTitle(TitleOf(node));
    show();
    raise();
    Refresh();
}

void HistoryPanel::BuildFor(unsigned documentGeneration, ValueTransform values) {
    const Inputs inputs{documentGeneration, values, m_node};
    if (m_inputs == inputs)
        return;
    // Another node's history is no guide to this one's: drawn when read.
    if (m_inputs && m_inputs->node != m_node)
        m_canvas->SetHistory(nullptr);
    m_inputs = inputs;
    SayReading(What());
    m_history.Rebuild(Document(), values, m_node);
}

QString HistoryPanel::What() const {
    return QStringLiteral("the history of %1").arg(QString::fromLatin1(DisplayLabel(m_node)));
}

void HistoryPanel::Built() {
    m_canvas->SetHistory(m_history.Get());
    if (m_history.Failed())
        SayNoMemory(What());
}

void HistoryPanel::Forget() {
    m_inputs.reset();
    m_history.Clear();
    m_canvas->SetHistory(nullptr);
}

} // namespace quib
