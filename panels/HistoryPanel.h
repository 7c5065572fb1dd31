#pragma once

// The node history panel: one node's values across all records below the
// view, its partners' beside them, the values as the view shows them.

#include "NodeHistory.h"
#include "SnapshotWork.h"
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
    bool Building() const override { return m_history.Running(); }

  protected:
    void BuildFor(const std::shared_ptr<const LatticeDocument>& data,
                  ValueTransform values) override;
    void Forget() override;

  private:
    // "the history of ab"
    QString What() const;
    void Built(std::shared_ptr<const NodeHistory> history,
               std::shared_ptr<const LatticeDocument> data);

    struct Inputs {
        std::shared_ptr<const LatticeDocument> data;
        ValueTransform values;
        int node;
        friend bool operator==(const Inputs&, const Inputs&) = default;
    };

    HistoryCanvas* m_canvas;
    int m_node = kNodeCount - 1;
    SnapshotWork<NodeHistory> m_history;
    // What the result or the build under way is of.
    std::optional<Inputs> m_inputs;
};

} // namespace quib
