#pragma once

// The overview figure on a panel's canvas, with what lies under the mouse
// told in words.

#include "OverviewFigure.h"
#include "WholeFileCanvas.h"

#include <memory>
#include <optional>

class LatticeDocument;

namespace quib {

class OverviewCanvas : public WholeFileCanvas {
    Q_OBJECT

  public:
    explicit OverviewCanvas(QWidget* parent = nullptr);

    // The overview to draw and the datasets it is of; null for none yet.
    void SetOverview(std::shared_ptr<const Overview> overview,
                     std::shared_ptr<const LatticeDocument> data);
    // The figure as laid out at the last paint; null before.
    const OverviewFigure* Figure() const { return m_figure ? &*m_figure : nullptr; }

    QSize sizeHint() const override { return {1000, 300}; }
    QSize minimumSizeHint() const override { return {320, 220}; }

  protected:
    bool LayOut(const QRect& area) override;
    void PaintFigure(QPainter& painter) const override;
    void PaintMarker(QPainter& painter, int record) const override;
    QRect MarkerArea(int record) const override;
    int RecordAt(QPoint point, bool dragging) const override;
    QString Describe(QPoint point) const override;

  private:
    QString DescribeCell(int column, int node) const;

    std::shared_ptr<const LatticeDocument> m_data;
    std::shared_ptr<const Overview> m_overview;
    std::optional<OverviewFigure> m_figure;
};

} // namespace quib
