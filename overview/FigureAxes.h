#pragma once

// What the whole-file figures (the overview, a node's history) share: their
// numbers, round steps between ticks, and the axis of record positions below
// them. Qt Gui only.

#include <QString>

#include <cstdint>
#include <functional>

class QLineF;
class QPainter;

namespace quib {

inline constexpr int kTickLength = 4;

// `width` pixel columns showing `columns` columns of data, one to one where
// there are as many.
struct PixelColumns {
    int columns;
    int width;

    // The column that pixel `x` (from the left edge, 0 to width - 1) shows.
    int ColumnOf(int x) const { return int(std::int64_t{x} * columns / width); }
    // The middle of the pixels that show `column`; 0 without columns.
    int MiddleOf(int column) const {
        if (columns == 0)
            return 0;
        // The pixels x with floor(x * columns / width) == column.
        const std::int64_t first = (std::int64_t{column} * width + columns - 1) / columns;
        const std::int64_t end = ((std::int64_t{column} + 1) * width + columns - 1) / columns;
        return int((first + end - 1) / 2);
    }
};

// "−201356": with a true minus sign, as a figure for a paper writes it.
QString FigureNumber(std::int64_t value);

// 1, 2 or 5 times a power of ten: at least `least` (and at least 1).
std::int64_t NiceStep(double least);

// Ticks below the line `top` at position 1, at round positions and at the
// last one, each with its number in a line of `lineHeight`, as many as the
// numbers have room for; `xOfRecord` gives the pixel column of a 0-based
// position. In the painter's font and pen.
void PaintPositionAxis(QPainter& painter, int records, int top, int lineHeight,
                       const std::function<int(int record)>& xOfRecord, double recordsPerPixel);

// The current record's line: black on a white line, seen on any colour.
void PaintRecordLine(QPainter& painter, const QLineF& line);

} // namespace quib
