#pragma once

// A node's history plot on a panel's canvas, with the values of the column
// under the mouse told in words.

#include "HistoryPlot.h"
#include "WholeFileCanvas.h"

#include <memory>
#include <optional>

class LatticeDocument;

namespace quib {

class HistoryCanvas : public WholeFileCanvas {
    Q_OBJECT

  public:
    explicit HistoryCanvas(QWidget* parent = nullptr);

    // The history to draw and the datasets it is of; null for none yet.
    void SetHistory(std::shared_ptr<const NodeHistory> history,
                    std::shared_ptr<const LatticeDocument> data);
    // The plot as laid out at the last paint; null before.
    const HistoryPlot* Plot() const { return m_plot ? &*m_plot : nullptr; }

    QSize sizeHint() const override { return {1000, 200}; }
    QSize minimumSizeHint() const override { return {320, 160}; }

  protected:
    bool LayOut(const QRect& area) override;
    void PaintFigure(QPainter& painter) const override;
    void PaintMarker(QPainter& painter, int record) const override;
    QRect MarkerArea(int record) const override;
    int RecordAt(QPoint point, bool dragging) const override;
    QString Describe(QPoint point) const override;

  private:
    QString DescribeRun(int column, HistoryRun run) const;

    std::shared_ptr<const LatticeDocument> m_data;
    std::shared_ptr<const NodeHistory> m_history;
    std::optional<HistoryPlot> m_plot;
};

} // namespace quib
