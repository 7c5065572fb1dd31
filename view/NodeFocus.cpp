#include "NodeFocus.h"

#include "MyQuibView.h"
#include "PictureNames.h"

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

} // namespace

NodeFocus::NodeFocus(CMyQuibView* view) : QObject(view), m_view(view) {
    InstallLatticeAccessible();
    connect(view, &CMyQuibView::Changed, this, [this](ViewChanges what) {
        if (!(what & ViewChange::Focus))
            Shown();
    });
}

QRectF NodeFocus::RingBox() const {
    const double out = kRingGap + kRingWidth / 2.0;
    return m_view->NodeRect(*m_focused).adjusted(-out, -out, out, out);
}

void NodeFocus::Step(bool forward) {
    const int count = DrawnNodeCount(m_view->Picture());
    if (count == 0)
        return;
    const int index = !m_focused ? (forward ? 0 : count - 1)
                                 : (DrawnIndex(*m_focused) + (forward ? 1 : count - 1)) % count;
    m_focused = DrawnNode(index);
    m_view->update();
    ShowMessage();
    KeepInView();
    AccessibleNews::TellFocus(m_view, index);
    emit m_view->Changed(ViewChange::Focus);
}

void NodeFocus::Leave() {
    if (!m_focused)
        return;
    m_focused.reset();
    m_view->update();
    ClearMessage();
    AccessibleNews::TellFocus(m_view, -1);
    emit m_view->Changed(ViewChange::Focus);
}

void NodeFocus::Shown() {
    const LatticePicture& picture = m_view->Picture();
    // An import gone takes the focus to the same node of the primary diagram.
    if (m_focused && DrawnIndex(*m_focused) >= DrawnNodeCount(picture)) {
        if (DrawnNodeCount(picture) == 0) {
            Leave();
        } else {
            m_focused = NodeHit{0, m_focused->node};
            AccessibleNews::TellFocus(m_view, DrawnIndex(*m_focused));
        }
    }
    m_news.Update(m_view, picture);
    if (m_focused)
        ShowMessage();
}

void NodeFocus::Paint() const {
    if (!m_focused)
        return;
    QPainter painter(m_view);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kRingColour, kRingWidth, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(RingBox());
}

void NodeFocus::ShowMessage() {
    m_message = QString::fromStdString(NodeName(m_view->Picture(), *m_focused));
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
void NodeFocus::KeepInView() const {
    constexpr int kRoom = 24;
    for (QWidget* outer = m_view->parentWidget(); outer != nullptr; outer = outer->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(outer);
            area != nullptr && area->widget() == m_view) {
            const QRect ring = RingBox().toAlignedRect();
            area->ensureVisible(ring.center().x(), ring.center().y(), ring.width() / 2 + kRoom,
                                ring.height() / 2 + kRoom);
            return;
        }
    }
}

} // namespace quib
