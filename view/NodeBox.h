#pragma once

#include "LatticePicture.h"

#include <QRectF>

class QPaintDevice;

namespace quib {

// A node's circle in the pixels of a device that shows the picture from its
// top-left corner, as the window does: the logical point (0, 25), one unit a
// hundredth of an inch, y upwards.
QRectF NodeBox(const LatticePicture& picture, NodeHit hit, const QPaintDevice& device);

} // namespace quib
