#include "PictureCanvas.h"

#include "MeasuringSurface.h"
#include "PictureFile.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace quib {

namespace {

// Between the picture and the widget's edges.
constexpr int kMarginPixels = 6;

} // namespace

PictureCanvas::PictureCanvas(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setMinimumSize(120, 90);
}

void PictureCanvas::SetPicture(const Maker& make) {
    MeasuringSurface probe(logicalDpiX(), logicalDpiY());
    m_picture.reset();
    m_picture.emplace(make(probe.Surface()));
    m_placeholder.clear();
    updateGeometry();
    update();
}

void PictureCanvas::SetPlaceholder(const QString& text) {
    m_picture.reset();
    m_placeholder = text;
    update();
}

QSize PictureCanvas::sizeHint() const {
    if (!m_picture)
        return minimumSize();
    const QSizeF inches = PageInches(m_picture->Extent());
    return {int(std::ceil(inches.width() * logicalDpiX())) + 2 * kMarginPixels,
            int(std::ceil(inches.height() * logicalDpiY())) + 2 * kMarginPixels};
}

void PictureCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!m_picture) {
        painter.fillRect(rect(), palette().window());
        painter.drawText(rect().adjusted(kMarginPixels, kMarginPixels, -kMarginPixels, 0),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_placeholder);
        return;
    }
    painter.fillRect(rect(), Qt::white);
    // The page's top-left corner a margin in; the painter's offset underlies
    // the picture's own mapping.
    painter.translate(kMarginPixels, kMarginPixels);
    const PrintableArea room{width() - 2 * kMarginPixels, height() - 2 * kMarginPixels};
    PaintOnWhite(painter, QRect(0, 0, room.width, room.height), [this, room](CDC* dc) {
        m_picture->Prepare(dc, room);
        m_picture->Draw(dc);
    });
}

} // namespace quib
