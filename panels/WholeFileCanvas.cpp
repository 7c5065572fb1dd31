#include "WholeFileCanvas.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <new>

namespace quib {

WholeFileCanvas::WholeFileCanvas(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void WholeFileCanvas::Invalidate() {
    m_stale = true;
    m_image = QImage();
    update();
}

void WholeFileCanvas::SetPlaceholder(const QString& text) {
    m_placeholder = text;
    if (!Ready())
        update();
}

void WholeFileCanvas::SetRecord(int record) {
    if (record == m_record)
        return;
    if (Ready()) {
        if (m_record >= 0)
            update(MarkerArea(m_record));
        if (record >= 0)
            update(MarkerArea(record));
    } else {
        update();
    }
    m_record = record;
}

void WholeFileCanvas::resizeEvent(QResizeEvent* event) {
    m_stale = true;
    QWidget::resizeEvent(event);
}

// Laid out and painted once for each size and each new figure.
void WholeFileCanvas::EnsureImage() {
    if (!m_stale)
        return;
    m_stale = false;
    try {
        m_laidOut = LayOut(rect());
    } catch (const std::bad_alloc&) {
        m_laidOut = false;
        m_placeholder = QStringLiteral("There is not enough memory to draw this.");
    }
    if (!m_laidOut) {
        m_image = QImage();
        return;
    }
    const qreal ratio = devicePixelRatioF();
    m_image = QImage(size() * ratio, QImage::Format_RGB32);
    if (m_image.isNull()) { // no memory for it
        m_laidOut = false;
        return;
    }
    m_image.setDevicePixelRatio(ratio);
    QPainter painter(&m_image);
    PaintFigure(painter);
}

void WholeFileCanvas::paintEvent(QPaintEvent*) {
    EnsureImage();
    QPainter painter(this);
    if (!m_laidOut) {
        painter.fillRect(rect(), Qt::white);
        painter.setPen(QColor(110, 110, 110));
        painter.drawText(rect(), Qt::AlignCenter, m_placeholder);
        return;
    }
    painter.drawImage(QPoint(0, 0), m_image);
    PaintMarker(painter, m_record);
}

void WholeFileCanvas::Choose(int record) {
    if (record < 0 || record == m_chosen)
        return;
    m_chosen = record;
    emit RecordChosen(record);
}

void WholeFileCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !Ready())
        return QWidget::mousePressEvent(event);
    const int record = RecordAt(event->position().toPoint(), false);
    if (record < 0)
        return;
    m_dragging = true;
    m_chosen = -1;
    Choose(record);
}

void WholeFileCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging || !Ready())
        return QWidget::mouseMoveEvent(event);
    Choose(RecordAt(event->position().toPoint(), true));
}

void WholeFileCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}

bool WholeFileCanvas::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString text = Ready() ? Describe(help->pos()) : QString();
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, this);
    return true;
}

} // namespace quib
