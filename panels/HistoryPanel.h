#pragma once

// The node history panel: one node's values across all records below the
// view, its partners' beside them, the values as the view shows them.

#include "NodeHistory.h"
#include "SlicedResult.h"
#include "WholeFilePanel.h"

#include <optional>

namespace quib {

class HistoryCanvas;

class HistoryPanel : public WholeFilePanel {
    Q_OBJECT

  public:
    explicit HistoryPanel(CMyQuibView& view, QWidget* parent = nullptr);

    // Shows node `node`'s history, opening the panel.
    void ShowNode(int node);
    int Node() const { return m_node; }
    HistoryCanvas* HistoryView() const { return m_canvas; }
    bool Building() const override { return m_history.Building(); }
    int RecordsRead() const override { return m_history.RecordsRead(); }

  protected:
    void BuildFor(unsigned documentGeneration, ValueTransform values) override;
    void Forget() override;

  private:
    // "the history of ab"
    QString What() const;
    void Built();

    struct Inputs {
        unsigned generation;
        ValueTransform values;
        int node;
        friend bool operator==(const Inputs&, const Inputs&) = default;
    };

    HistoryCanvas* m_canvas;
    int m_node = kNodeCount - 1;
    SlicedResult<NodeHistory> m_history;
    // What the result or the build under way is of.
    std::optional<Inputs> m_inputs;
};

} // namespace quib
