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
    : WholeFilePanel(view, TitleOf(kNodeCount - 1), parent), m_canvas(new HistoryCanvas),
      m_history(this, [this](auto history, auto data) { Built(history, data); }) {
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

void HistoryPanel::BuildFor(const std::shared_ptr<const LatticeDocument>& data,
                            ValueTransform values) {
    Inputs inputs{data, values, m_node};
    if (m_inputs == inputs)
        return;
    // Another node's history is no guide to this one's: drawn when read.
    if (m_inputs && m_inputs->node != m_node)
        m_canvas->SetHistory(nullptr, nullptr);
    m_inputs = std::move(inputs);
    SayReading(What());
    m_history.Start(data, [node = m_node, values](const LatticeDocument& shown) {
        return NodeHistory(shown, node, values);
    });
}

QString HistoryPanel::What() const {
    return QStringLiteral("the history of %1").arg(QString::fromLatin1(DisplayLabel(m_node)));
}

void HistoryPanel::Built(std::shared_ptr<const NodeHistory> history,
                         std::shared_ptr<const LatticeDocument> data) {
    if (history == nullptr)
        SayNoMemory(What());
    m_canvas->SetHistory(std::move(history), std::move(data));
}

void HistoryPanel::Forget() {
    m_inputs.reset();
    m_history.Stop();
    m_canvas->SetHistory(nullptr, nullptr);
}

} // namespace quib
