#pragma once

#include "PainterDC.h"

#include <QImage>
#include <QPainter>

#include <optional>

namespace quib {

// A resolution as an image stores it.
int DotsPerMeter(int dpi);

// A surface that draws nowhere, at a device's resolution: a picture laid out
// on it measures its texts as that device would.
class MeasuringSurface {
  public:
    MeasuringSurface(int dpiX, int dpiY);
    MeasuringSurface(const MeasuringSurface&) = delete;
    MeasuringSurface& operator=(const MeasuringSurface&) = delete;

    CDC* Surface() { return &*m_dc; }

  private:
    QImage m_probe;
    QPainter m_painter;
    std::optional<CPainterDC> m_dc;
};

} // namespace quib
