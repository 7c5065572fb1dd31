#include "NodeFocus.h"

#include "MyQuibDoc.h"
#include "MyQuibView.h"
#include "NodeBox.h"
#include "PictureNames.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollArea>
#include <QStatusBar>

namespace quib {

namespace {

// The ring: dashed, in pixels outside the circle, so that it reads apart
// from any outline the picture draws (a minimal node's is solid and inside)
// without its colour.
constexpr int kRingGap = 3;
constexpr int kRingWidth = 2;
const QColor kRingColour(0x00, 0x4e, 0xb3);

QRectF RingBox(const LatticePicture& picture, NodeHit hit, const QPaintDevice& device) {
    const double out = kRingGap + kRingWidth / 2.0;
    return NodeBox(picture, hit, device).adjusted(-out, -out, out, out);
}

} // namespace

NodeFocus::NodeFocus(CMyQuibView* view) : QObject(view), m_view(view) {
    InstallLatticeAccessible();
    view->installEventFilter(this);
}

std::optional<LatticePicture> PictureOf(const CMyQuibView* view) {
    if (view == nullptr || view->GetDocument() == nullptr)
        return std::nullopt;
    return std::optional<LatticePicture>(std::in_place, *view->GetDocument(), view->Options());
}

bool NodeFocus::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_view || event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (key->key() == Qt::Key_Tab && modifiers == Qt::NoModifier)
        return Step(true);
    if ((key->key() == Qt::Key_Backtab && (modifiers & ~Qt::ShiftModifier) == Qt::NoModifier) ||
        (key->key() == Qt::Key_Tab && modifiers == Qt::ShiftModifier))
        return Step(false);
    if (key->key() == Qt::Key_Escape && modifiers == Qt::NoModifier)
        return Leave();
    return false;
}

bool NodeFocus::Step(bool forward) {
    const auto picture = PictureOf(m_view);
    const int count = picture ? DrawnNodeCount(*picture) : 0;
    if (count == 0)
        return false;
    const int index = !m_focused ? (forward ? 0 : count - 1)
                                 : (DrawnIndex(*m_focused) + (forward ? 1 : count - 1)) % count;
    m_focused = DrawnNode(index);
    m_view->update();
    ShowMessage(*picture);
    KeepInView(*picture);
    AccessibleNews::TellFocus(m_view, index);
    return true;
}

bool NodeFocus::Leave() {
    if (!m_focused)
        return false;
    m_focused.reset();
    m_view->update();
    ClearMessage();
    AccessibleNews::TellFocus(m_view, -1);
    return true;
}

void NodeFocus::Shown() {
    const auto picture = PictureOf(m_view);
    if (!picture)
        return;
    // An import gone takes the focus to the same node of the primary diagram.
    if (m_focused && DrawnIndex(*m_focused) >= DrawnNodeCount(*picture)) {
        if (DrawnNodeCount(*picture) == 0) {
            Leave();
        } else {
            m_focused = NodeHit{0, m_focused->node};
            AccessibleNews::TellFocus(m_view, DrawnIndex(*m_focused));
        }
    }
    m_news.Update(m_view, *picture);
    if (m_focused)
        ShowMessage(*picture);
}

void NodeFocus::Paint() const {
    const auto picture = PictureOf(m_view);
    if (!m_focused || !picture)
        return;
    QPainter painter(m_view);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kRingColour, kRingWidth, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(RingBox(*picture, *m_focused, *m_view));
}

void NodeFocus::ShowMessage(const LatticePicture& picture) {
    m_message = QString::fromStdString(NodeName(picture, *m_focused));
    if (auto* bar = m_view->window()->findChild<QStatusBar*>())
        bar->showMessage(m_message);
}

void NodeFocus::ClearMessage() {
    if (auto* bar = m_view->window()->findChild<QStatusBar*>();
        bar != nullptr && bar->currentMessage() == m_message)
        bar->clearMessage();
    m_message.clear();
}

// The scroll area the view lives in shows the ring and some room around it
// for the label.
void NodeFocus::KeepInView(const LatticePicture& picture) const {
    constexpr int kRoom = 24;
    for (QWidget* outer = m_view->parentWidget(); outer != nullptr; outer = outer->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(outer);
            area != nullptr && area->widget() == m_view) {
            const QRect ring = RingBox(picture, *m_focused, *m_view).toAlignedRect();
            area->ensureVisible(ring.center().x(), ring.center().y(), ring.width() / 2 + kRoom,
                                ring.height() / 2 + kRoom);
            return;
        }
    }
}

} // namespace quib
