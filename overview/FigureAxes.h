#pragma once

// What the whole-file figures (the overview, a node's history) share: their
// numbers, round steps between ticks, and the axis of record positions below
// them. Qt Gui only.

#include <QString>

#include <cstdint>
#include <functional>

class QPainter;

namespace quib {

inline constexpr int kTickLength = 4;

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

} // namespace quib
