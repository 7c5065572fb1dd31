// The toolbar's button images and the application icon, drawn here rather
// than kept as bitmaps.

#include "Resources.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kButtonWidth = 16;
constexpr int kButtonHeight = 15;

void DrawBlankPage(QPainter& p) {
    const QPolygon page{{3, 1}, {10, 1}, {13, 4}, {13, 14}, {3, 14}};
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawPolygon(page);
    p.drawPolyline(QPolygon{{10, 1}, {10, 4}, {13, 4}});
}

void DrawOpeningFolder(QPainter& p) {
    p.setPen(Qt::black);
    p.setBrush(QColor(128, 128, 0));
    p.drawPolygon(QPolygon{{1, 3}, {5, 3}, {6, 4}, {12, 4}, {12, 13}, {1, 13}});
    p.setBrush(QColor(255, 255, 0));
    p.drawPolygon(QPolygon{{3, 7}, {15, 7}, {12, 13}, {1, 13}});
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(10, 1, 13, 1);
    p.drawLine(13, 1, 13, 3);
}

void DrawPrinter(QPainter& p) {
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(4, 1, 7, 5);
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(1, 6, 13, 5);
    p.setBrush(Qt::white);
    p.drawRect(4, 10, 7, 3);
    p.setPen(QColor(0, 128, 0));
    p.drawPoint(12, 8);
}

void DrawQuestionMark(QPainter& p) {
    QFont font;
    font.setBold(true);
    font.setPixelSize(14);
    p.setFont(font);
    const QRect box(0, 0, kButtonWidth, kButtonHeight);
    QPainterPath glyph;
    glyph.addText(0, 0, font, QStringLiteral("?"));
    glyph.translate(box.center() - glyph.boundingRect().center());
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(255, 255, 0));
    p.drawPath(glyph);
}

// A chevron pointing left (direction -1) or right (+1), its tip at x.
void DrawChevron(QPainter& p, int x, int direction) {
    const QPolygon chevron{{x, 7},
                           {x - 4 * direction, 3},
                           {x - 6 * direction, 3},
                           {x - 2 * direction, 7},
                           {x - 6 * direction, 11},
                           {x - 4 * direction, 11}};
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPolygon(chevron);
}

} // namespace

namespace quib {

QPixmap DrawToolbarBitmap(qreal devicePixelRatio) {
    QImage strip(qRound(8 * kButtonWidth * devicePixelRatio),
                 qRound(kButtonHeight * devicePixelRatio), QImage::Format_ARGB32);
    strip.setDevicePixelRatio(devicePixelRatio);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing, devicePixelRatio > 1.0);
    const auto button = [&p](int index, auto draw) {
        p.save();
        p.translate(index * kButtonWidth, 0);
        draw(p);
        p.restore();
    };
    button(0, DrawBlankPage);
    button(1, DrawOpeningFolder);
    button(2, DrawPrinter);
    button(3, DrawQuestionMark);
    button(4, [](QPainter& q) { DrawChevron(q, 3, -1), DrawChevron(q, 8, -1); });
    button(5, [](QPainter& q) { DrawChevron(q, 5, -1); });
    button(6, [](QPainter& q) { DrawChevron(q, 10, 1); });
    button(7, [](QPainter& q) { DrawChevron(q, 7, 1), DrawChevron(q, 12, 1); });
    p.end();
    return QPixmap::fromImage(strip);
}

void PaintApplicationIcon(QPainter& p, int size) {
    p.fillRect(QRect(0, 0, size, size), Qt::white);
    // Crisp one-pixel lines, as in a 16-colour icon; wider where there is room.
    p.setPen(QPen(Qt::black, size >= 48 ? size / 32.0 : 0));
    const double m = size > 16 ? 1.5 : 0.5; // margin
    const QPointF top(size / 2.0, m), right(size - m, size / 2.0), bottom(size / 2.0, size - m),
        left(m, size / 2.0);
    const int steps = size > 16 ? 4 : 2;
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        // Lines parallel to the upper-left edge, then to the upper-right one.
        p.drawLine(top + (right - top) * t, left + (bottom - left) * t);
        p.drawLine(top + (left - top) * t, right + (bottom - right) * t);
    }
    p.drawLine(top, bottom);
}

QImage DrawApplicationIconImage(int size) {
    QImage image(size, size, QImage::Format_RGB32);
    QPainter p(&image);
    if (size >= 48)
        p.setRenderHint(QPainter::Antialiasing);
    PaintApplicationIcon(p, size);
    p.end();
    return image;
}

QIcon DrawApplicationIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(DrawApplicationIconImage(size)));
    return icon;
}

} // namespace quib
