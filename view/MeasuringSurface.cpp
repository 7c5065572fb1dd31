#include "MeasuringSurface.h"

#include <cmath>

namespace quib {

int DotsPerMeter(int dpi) {
    return int(std::lround(dpi / 0.0254));
}

MeasuringSurface::MeasuringSurface(int dpiX, int dpiY) : m_probe(1, 1, QImage::Format_RGB32) {
    m_probe.setDotsPerMeterX(DotsPerMeter(dpiX));
    m_probe.setDotsPerMeterY(DotsPerMeter(dpiY));
    m_painter.begin(&m_probe);
    m_dc.emplace(m_painter);
}

} // namespace quib
