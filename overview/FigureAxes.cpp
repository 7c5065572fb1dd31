#include "FigureAxes.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <vector>

namespace quib {

QString FigureNumber(std::int64_t value) {
    const QString digits =
        QString::number(value < 0 ? std::uint64_t(0) - std::uint64_t(value) : std::uint64_t(value));
    return value < 0 ? QChar(0x2212) + digits : digits;
}

std::int64_t NiceStep(double least) {
    for (std::int64_t power = 1; power <= INT64_MAX / 10; power *= 10)
        for (const int factor : {1, 2, 5})
            if (double(power * factor) >= least)
                return power * factor;
    return INT64_MAX / 10 * 10;
}

void PaintPositionAxis(QPainter& painter, int records, int top, int lineHeight,
                       const std::function<int(int record)>& xOfRecord, double recordsPerPixel) {
    if (records == 0)
        return;
    const QFontMetrics metrics = painter.fontMetrics();
    const int room = metrics.horizontalAdvance(FigureNumber(records)) + lineHeight * 2;
    const std::int64_t step = NiceStep(room * recordsPerPixel);
    std::vector<int> positions{1};
    for (std::int64_t p = step; p < records; p += step)
        positions.push_back(int(p));
    if (records > 1)
        positions.push_back(records);
    int lastRight = INT32_MIN;
    const int lastLeft =
        xOfRecord(records - 1) - metrics.horizontalAdvance(FigureNumber(records)) / 2;
    for (const int position : positions) {
        const QString text = FigureNumber(position);
        const int x = xOfRecord(position - 1);
        const int half = metrics.horizontalAdvance(text) / 2;
        const bool last = position == records;
        if (x - half < lastRight + lineHeight / 2 ||
            (!last && x + half + lineHeight / 2 > lastLeft))
            continue;
        painter.drawLine(QLineF(x + 0.5, top, x + 0.5, top + kTickLength));
        painter.drawText(
            QRect(x - half - lineHeight, top + kTickLength, 2 * (half + lineHeight), lineHeight),
            Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, text);
        lastRight = x + half;
    }
}

void PaintRecordLine(QPainter& painter, const QLineF& line) {
    painter.save();
    painter.setPen(QPen(Qt::white, 3));
    painter.drawLine(line);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(line);
    painter.restore();
}

} // namespace quib
