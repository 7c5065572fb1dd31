#include "PainterDC.h"

#include "LogFont.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace {

struct PainterPen : CGdiObject::Handle {
    explicit PainterPen(const LOGPEN& logPen) : logPen(logPen) {}
    LOGPEN logPen;
};

struct PainterFont : CGdiObject::Handle {
    explicit PainterFont(const LOGFONT& logFont) : logFont(logFont) {}
    LOGFONT logFont;
};

QColor ColorOf(COLORREF color) {
    return QColor(color & 0xff, (color >> 8) & 0xff, (color >> 16) & 0xff);
}

constexpr LOGPEN kDefaultPen{PS_SOLID, {1, 1}, 0};

} // namespace

CPainterDC::CPainterDC(QPainter& painter) : m_painter(painter), m_pen(kDefaultPen) {
    m_painter.save();
    m_base = m_painter.worldTransform();
    m_painter.setBrush(Qt::white);
    m_painter.setBackground(Qt::white);
    m_painter.setBackgroundMode(Qt::OpaqueMode);
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setRenderHint(QPainter::TextAntialiasing);
    m_font = FontFor(LOGFONT{});
    ApplyMapping();
}

CPainterDC::~CPainterDC() {
    m_painter.restore();
}

int CPainterDC::SetMapMode(int mode) {
    const int previous = m_mapMode;
    m_mapMode = mode;
    ApplyMapping();
    return previous;
}

void CPainterDC::SetWindowExt(int cx, int cy) {
    if (cx != 0 && cy != 0)
        m_windowExt = QSize(cx, cy);
    ApplyMapping();
}

void CPainterDC::SetViewportExt(int cx, int cy) {
    if (cx != 0 && cy != 0)
        m_viewportExt = QSize(cx, cy);
    ApplyMapping();
}

void CPainterDC::OffsetWindowOrg(int dx, int dy) {
    m_windowOrg += QPoint(dx, dy);
    ApplyMapping();
}

int CPainterDC::GetDeviceCaps(int index) const {
    const QPaintDevice* device = m_painter.device();
    switch (index) {
    case LOGPIXELSX:
        return device->logicalDpiX();
    case LOGPIXELSY:
        return device->logicalDpiY();
    case HORZRES:
        return device->width();
    case VERTRES:
        return device->height();
    default:
        return 0;
    }
}

void CPainterDC::SetWorldTransform(const XFORM& transform) {
    m_world = QTransform(transform.eM11, transform.eM12, transform.eM21, transform.eM22,
                         transform.eDx, transform.eDy);
    ApplyMapping();
}

QTransform CPainterDC::Mapping() const {
    return m_world * PageMapping();
}

QTransform CPainterDC::PageMapping() const {
    if (m_mapMode != MM_ANISOTROPIC)
        return {};
    return QTransform::fromTranslate(-m_windowOrg.x(), -m_windowOrg.y()) *
           QTransform::fromScale(double(m_viewportExt.width()) / m_windowExt.width(),
                                 double(m_viewportExt.height()) / m_windowExt.height());
}

void CPainterDC::ApplyMapping() {
    m_painter.setWorldTransform(Mapping() * m_base);
}

double CPainterDC::LogicalToDeviceY(double units) const {
    return units * std::abs(PageMapping().m22());
}

double CPainterDC::PenWidthInLogicalUnits() const {
    return std::max(m_pen.lopnWidth.x, 0);
}

void CPainterDC::MoveTo(int x, int y) {
    m_current = QPoint(x, y);
}

void CPainterDC::LineTo(int x, int y) {
    QPen pen(ColorOf(m_pen.lopnColor), PenWidthInLogicalUnits());
    pen.setCapStyle(Qt::RoundCap);
    m_painter.setPen(pen);
    m_painter.drawLine(m_current, QPoint(x, y));
    m_current = QPoint(x, y);
}

void CPainterDC::Ellipse(int left, int top, int right, int bottom) {
    const double width = PenWidthInLogicalUnits();
    QRectF box = QRectF(QPointF(left, top), QPointF(right, bottom)).normalized();
    // An inside-frame outline keeps within the box; Qt centres it on the path.
    if (m_pen.lopnStyle == PS_INSIDEFRAME)
        box.adjust(width / 2, width / 2, -width / 2, -width / 2);
    m_painter.setPen(QPen(ColorOf(m_pen.lopnColor), width));
    m_painter.drawEllipse(box);
}

void CPainterDC::TextOut(int x, int y, const char* text, int length) {
    // Under a y-up mapping Qt would draw the glyphs mirrored and scale the
    // font a second time: place the text in device pixels instead, its
    // glyphs transformed as the world transform looks on the device.
    const QPointF topLeft = Mapping().map(QPointF(x, y));
    const QTransform page = PageMapping();
    const QTransform world = page.inverted() * m_world * page;
    const QTransform glyphs(world.m11(), world.m12(), world.m21(), world.m22(), 0, 0);
    const QFontMetricsF metrics(m_font.font, m_painter.device());
    m_painter.setWorldTransform(QTransform::fromScale(m_font.scale, m_font.scale) * glyphs *
                                QTransform::fromTranslate(topLeft.x(), topLeft.y()) * m_base);
    m_painter.setFont(m_font.font);
    m_painter.setPen(Qt::black);
    m_painter.drawText(QPointF(0, metrics.ascent()), QString::fromUtf8(text, std::max(length, 0)));
    ApplyMapping();
}

CPen* CPainterDC::SelectObject(CPen* pen) {
    CPen* previous = m_selectedPen;
    m_selectedPen = pen;
    m_pen = pen ? static_cast<PainterPen*>(pen->GetHandle())->logPen : kDefaultPen;
    return previous;
}

CFont* CPainterDC::SelectObject(CFont* font) {
    CFont* previous = m_selectedFont;
    m_selectedFont = font;
    m_font = FontFor(font ? static_cast<PainterFont*>(font->GetHandle())->logFont : LOGFONT{});
    return previous;
}

COLORREF CPainterDC::SetDCBrushColor(COLORREF color) {
    m_painter.setBrush(ColorOf(color));
    return std::exchange(m_fill, color);
}

COLORREF CPainterDC::SetBkColor(COLORREF color) {
    m_painter.setBackground(ColorOf(color));
    return std::exchange(m_background, color);
}

TextExtent CPainterDC::GetTextExtent(const char* text, int length) const {
    const QFontMetricsF metrics(m_font.font, m_painter.device());
    const double unitsPerPixel = m_font.scale / LogicalToDeviceY(1);
    return {metrics.horizontalAdvance(QString::fromUtf8(text, std::max(length, 0))) * unitsPerPixel,
            metrics.height() * unitsPerPixel};
}

void PaintOnWhite(QPainter& painter, const QRect& area, const std::function<void(CDC*)>& paint) {
    painter.fillRect(area, Qt::white);
    CPainterDC surface(painter);
    paint(&surface);
}

CPainterDC::SizedFont CPainterDC::FontFor(const LOGFONT& logFont) const {
    QFont font = FontOfLogFont(logFont);
    // Unhinted glyphs keep their advance at every resolution, so a text is
    // as wide on paper as on the screen.
    font.setHintingPreference(QFont::PreferNoHinting);

    double pixels = 0;
    if (logFont.lfHeight == 0) {
        pixels = kDefaultFontPointSize * m_painter.device()->logicalDpiY() / 72.0;
    } else if (logFont.lfHeight < 0) {
        pixels = LogicalToDeviceY(-double(logFont.lfHeight));
    } else {
        // A positive height is the cell (ascent plus descent), not the em.
        font.setPixelSize(100);
        const double cellAt100 = QFontMetricsF(font, m_painter.device()).height();
        pixels = 100 * LogicalToDeviceY(logFont.lfHeight) / cellAt100;
    }
    const int whole = std::max(1, int(std::lround(pixels)));
    font.setPixelSize(whole);
    return {font, pixels / whole};
}

std::unique_ptr<CGdiObject::Handle> CPainterDC::CreatePenHandle(const LOGPEN& logPen) {
    if (logPen.lopnStyle != PS_SOLID && logPen.lopnStyle != PS_INSIDEFRAME)
        return nullptr;
    return std::make_unique<PainterPen>(logPen);
}

std::unique_ptr<CGdiObject::Handle> CPainterDC::CreateFontHandle(const LOGFONT& logFont) {
    // A face name must end within its field.
    if (std::memchr(logFont.lfFaceName, '\0', LF_FACESIZE) == nullptr)
        return nullptr;
    return std::make_unique<PainterFont>(logFont);
}
