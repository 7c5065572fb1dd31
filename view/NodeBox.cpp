#include "NodeBox.h"

#include <QPaintDevice>

namespace quib {

QRectF NodeBox(const LatticePicture& picture, NodeHit hit, const QPaintDevice& device) {
    const LatticePicture::Point centre = picture.NodeCentre(hit);
    const int r = picture.Geometry().radius;
    const auto x = [&](int units) { return units * device.logicalDpiX() / 100.0; };
    const auto y = [&](int units) { return (25 - units) * device.logicalDpiY() / 100.0; };
    return QRectF(QPointF(x(centre.x - r), y(centre.y + r)),
                  QPointF(x(centre.x + r), y(centre.y - r)));
}

} // namespace quib
