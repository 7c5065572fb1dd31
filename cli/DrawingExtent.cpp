#include "DrawingExtent.h"

#include "PainterDC.h"
#include "RecordingDC.h"

#include <QString>

#include <algorithm>

namespace {

void Include(LogicalBounds& bounds, bool& empty, double x, double y) {
    if (empty) {
        bounds = {x, y, x, y};
        empty = false;
        return;
    }
    bounds.minX = std::min(bounds.minX, x);
    bounds.maxX = std::max(bounds.maxX, x);
    bounds.minY = std::min(bounds.minY, y);
    bounds.maxY = std::max(bounds.maxY, y);
}

} // namespace

LogicalBounds DrawingExtent(const CRecordingDC& recording, const CPainterDC& surface) {
    using Op = RecordedCall::Op;
    LogicalBounds bounds;
    bool empty = true;
    for (const RecordedCall& call : recording.Calls()) {
        const std::vector<int>& a = call.args;
        switch (call.op) {
        case Op::MoveTo:
        case Op::LineTo:
            Include(bounds, empty, a[0], a[1]);
            break;
        case Op::Ellipse:
            Include(bounds, empty, a[0], a[1]);
            Include(bounds, empty, a[2], a[3]);
            break;
        case Op::TextOut: {
            const QSizeF size = surface.TextSize(
                call.font ? &recording.FontDescription(call.font) : nullptr,
                QString::fromLatin1(call.text.data(), qsizetype(call.text.size())));
            Include(bounds, empty, a[0], a[1]);
            Include(bounds, empty, a[0] + size.width(), a[1] - size.height());
            break;
        }
        default:
            break;
        }
    }
    return bounds;
}
