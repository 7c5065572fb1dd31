#pragma once

// A node's history as a line plot on any QPainter: position along the
// bottom, value up the left, each with round ticks and named; the primary
// run in blue and the partners in orange, each column from the least to the
// largest value of its run (a line through the values where a column holds
// one record); the current record marked by a line. Qt Gui only.

#include "FigureAxes.h"
#include "NodeHistory.h"

#include <QColor>
#include <QFont>
#include <QRect>

class QPainter;

namespace quib {

class HistoryPlot {
  public:
    static const QColor kPrimaryColour;
    static const QColor kImportedColour;

    // Laid out in `area` with the columns its plot has room for; with
    // `imported` the partners' values too.
    HistoryPlot(const NodeHistory& history, bool imported, const QRect& area);

    // Paints the whole area, background included, but for the marker.
    void Paint(QPainter& painter) const;
    // The current record's line alone, and the pixels it may touch.
    void PaintMarker(QPainter& painter, int record) const;
    QRect MarkerArea(int record) const;

    // Where the values are drawn, and the columns drawn there.
    const QRect& Plot() const { return m_plot; }
    const HistoryColumns& Columns() const { return m_columns; }
    bool ShowsImported() const { return m_imported; }
    // The column under a point, -1 beside the plot.
    int ColumnAt(QPoint point) const;
    // The middle of the pixels that show position `record`.
    int XOfRecord(int record) const;
    // The pixel row of a value.
    int YOfValue(std::int64_t value) const;

  private:
    void PaintValueAxis(QPainter& painter) const;
    void PaintRun(QPainter& painter, HistoryRun run) const;
    void PaintLegend(QPainter& painter) const;

    int m_node;
    ValueTransform m_transform;
    bool m_imported;
    int m_records;
    QFont m_font;
    int m_lineHeight;
    QRect m_area;
    QRect m_plot;
    HistoryColumns m_columns;
    PixelColumns m_pixels;
    // The values from the bottom of the plot to its top, and the ticks.
    double m_low = 0, m_high = 1;
    std::int64_t m_firstTick = 0, m_tickStep = 1;
    bool m_hasValues;
};

} // namespace quib
