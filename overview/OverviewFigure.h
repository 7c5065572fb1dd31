#pragma once

// The overview as a figure on a QPainter: the cells as an image, one pixel
// column per overview column where the file has that many records, the node
// labels at the left, positions (1-based) below, a key to the colours and
// what is shown, and optionally the current record marked by a line. Rows
// that the file's dimension does not give are pale and say "not in the
// file". The same for the docked panel and for figure files. Qt Gui only.

#include "Overview.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

class QPainter;

namespace quib {

struct OverviewFigureStyle {
    // The family and style of the text; its size follows the figure's height.
    QFont font = QFont(QStringLiteral("DejaVu Sans"));
    // A cell with some missing and some values gets a grey line along its
    // foot (in rows tall enough to spare one).
    bool markSomeMissing = true;
    // Put before the key's description of what is shown, such as a file name.
    QString title;
};

class OverviewFigure {
  public:
    // Laid out in `area`, in the painter's logical units (pixels on screen
    // and in PNG, points in SVG and PDF), with the columns that its width
    // has room for merged from `overview`.
    OverviewFigure(const Overview& overview, const QRect& area,
                   const OverviewFigureStyle& style = {});

    // Paints the whole area, background included. `currentRecord` (a 0-based
    // position) is marked by a line; -1 marks none.
    void Paint(QPainter& painter, int currentRecord = -1) const;

    const QRect& Area() const { return m_area; }
    // Where the cells lie, and the columns they show.
    const QRect& Cells() const { return m_cells; }
    const OverviewColumns& Columns() const { return m_columns; }

    // What lies under a point: the node of the row, the column, or -1 where
    // none (the gaps between levels, outside the cells).
    int NodeAt(QPoint point) const;
    int ColumnAt(QPoint point) const;
    // The middle of the pixel columns that show position `record`.
    int XOfRecord(int record) const;
    // The current record's line alone, over a figure painted before (a
    // window that keeps the figure as an image moves only its line).
    void PaintMarker(QPainter& painter, int record) const;
    // The pixels that line may touch.
    QRect MarkerArea(int record) const;

  private:
    bool MarksSomeMissing() const;
    int RowTop(int row) const;
    int ColumnOfX(int x) const; // x from the cells' left edge
    QImage PaintCells() const;
    void PaintLabels(QPainter& painter) const;
    void PaintPositions(QPainter& painter) const;
    void PaintKey(QPainter& painter) const;
    void PaintLevels(QPainter& painter) const;

    OverviewMode m_mode;
    ValueTransform m_transform;
    ColourEnds m_ends;
    NodeMask m_absent;
    int m_records;
    OverviewFigureStyle m_style;
    QRect m_area;
    QRect m_cells;
    int m_rowHeight = 0;
    int m_levelGap = 0;
    int m_lineHeight = 0;
    OverviewColumns m_columns;
    QImage m_cellImage;
};

} // namespace quib
