#pragma once

// The overview figure on a panel's canvas, with what lies under the mouse
// told in words.

#include "OverviewFigure.h"
#include "WholeFileCanvas.h"

#include <optional>

class LatticeDocument;

namespace quib {

class OverviewCanvas : public WholeFileCanvas {
    Q_OBJECT

  public:
    explicit OverviewCanvas(const LatticeDocument& document, QWidget* parent = nullptr);

    // The overview to draw, kept by the caller while it is shown; null for
    // none yet.
    void SetOverview(const Overview* overview);
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

    const LatticeDocument& m_document;
    const Overview* m_overview = nullptr;
    std::optional<OverviewFigure> m_figure;
};

} // namespace quib
