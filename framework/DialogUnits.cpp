#include "DialogUnits.h"

#include <QFontMetrics>

namespace {
int Scale(int units, int base, int divisor) {
    return (units * base + divisor / 2) / divisor;
}
} // namespace

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int alphabet = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_baseX = (alphabet / 26 + 1) / 2;
    m_baseY = metrics.height();
}

QRect DialogUnits::ToPixels(int x, int y, int cx, int cy) const {
    return {Scale(x, m_baseX, 4), Scale(y, m_baseY, 8), Scale(cx, m_baseX, 4),
            Scale(cy, m_baseY, 8)};
}
