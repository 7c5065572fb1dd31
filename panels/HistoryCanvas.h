#pragma once

// A node's history plot on a panel's canvas, with the values of the column
// under the mouse told in words.

#include "HistoryPlot.h"
#include "WholeFileCanvas.h"

#include <optional>

class LatticeDocument;

namespace quib {

class HistoryCanvas : public WholeFileCanvas {
    Q_OBJECT

  public:
    explicit HistoryCanvas(const LatticeDocument& document, QWidget* parent = nullptr);

    // The history to draw, kept by the caller while it is shown; null for
    // none yet.
    void SetHistory(const NodeHistory* history);
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

    const LatticeDocument& m_document;
    const NodeHistory* m_history = nullptr;
    std::optional<HistoryPlot> m_plot;
};

} // namespace quib
