#include "LatticeAccessible.h"

#include "MyQuibView.h"
#include "PictureNames.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

#include <algorithm>
#include <array>

namespace quib {

namespace {

const char kDescription[] = "The lattice of the current record. Tab and Shift+Tab go from node "
                            "to node, the arrow keys step through the records.";

int DrawnNodeCountOf(const CMyQuibView* view) {
    return view != nullptr ? DrawnNodeCount(view->Picture()) : 0;
}

// One node of one diagram, a child of the view's interface.
class NodeAccessible : public QAccessibleInterface {
  public:
    NodeAccessible(CMyQuibView* view, int index) : m_view(view), m_index(index) {}

    bool isValid() const override { return m_index < DrawnNodeCountOf(m_view); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return m_view != nullptr ? m_view->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(m_view);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::Graphic; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Name || m_index >= DrawnNodeCountOf(m_view))
            return QString();
        return QString::fromStdString(NodeName(m_view->Picture(), DrawnNode(m_index)));
    }

    // The circle's bounding box on the screen.
    QRect rect() const override {
        const QRect box = LocalBox();
        return box.isNull() ? QRect() : QRect(m_view->mapToGlobal(box.topLeft()), box.size());
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        state.focusable = true;
        if (m_view == nullptr)
            return state;
        const std::optional<NodeHit> focused = m_view->FocusedNode();
        state.focused = m_view->hasFocus() && focused && DrawnIndex(*focused) == m_index;
        state.invisible = !m_view->isVisible();
        state.offscreen = !m_view->visibleRegion().intersects(LocalBox());
        return state;
    }

    CMyQuibView* View() const { return m_view; }
    int Index() const { return m_index; }

  private:
    QRect LocalBox() const {
        if (m_index >= DrawnNodeCountOf(m_view))
            return QRect();
        return m_view->NodeRect(DrawnNode(m_index)).toAlignedRect();
    }

    QPointer<CMyQuibView> m_view;
    int m_index;
};

class LatticeAccessible : public QAccessibleWidget {
  public:
    explicit LatticeAccessible(CMyQuibView* view) : QAccessibleWidget(view, QAccessible::Canvas) {}
    // The nodes' interfaces are the cache's, as every registered one is;
    // they go with the view's.
    ~LatticeAccessible() override {
        for (const QAccessible::Id id : m_nodes)
            if (id != 0)
                QAccessible::deleteAccessibleInterface(id);
    }

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && isValid())
            return QString::fromStdString(PictureName(View()->Picture()));
        if (kind == QAccessible::Description)
            return QString::fromLatin1(kDescription);
        return QAccessibleWidget::text(kind);
    }

    int childCount() const override { return isValid() ? DrawnNodeCountOf(View()) : 0; }

    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount())
            return nullptr;
        QAccessible::Id& id = m_nodes[std::size_t(index)];
        if (id == 0)
            id = QAccessible::registerAccessibleInterface(new NodeAccessible(View(), index));
        return QAccessible::accessibleInterface(id);
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* node = dynamic_cast<const NodeAccessible*>(child);
        return node != nullptr && node->View() == View() && node->Index() < childCount()
                   ? node->Index()
                   : -1;
    }

    // (x, y) on the screen.
    QAccessibleInterface* childAt(int x, int y) const override {
        if (!isValid())
            return nullptr;
        const auto hit = View()->NodeAt(View()->mapFromGlobal(QPoint(x, y)));
        return hit ? child(DrawnIndex(*hit)) : nullptr;
    }

    QAccessibleInterface* focusChild() const override {
        if (isValid() && View()->hasFocus())
            if (const std::optional<NodeHit> focused = View()->FocusedNode())
                return child(DrawnIndex(*focused));
        return QAccessibleWidget::focusChild();
    }

  private:
    CMyQuibView* View() const { return static_cast<CMyQuibView*>(widget()); }

    mutable std::array<QAccessible::Id, 2 * kNodeCount> m_nodes{};
};

QAccessibleInterface* LatticeFactory(const QString&, QObject* object) {
    if (auto* view = dynamic_cast<CMyQuibView*>(object))
        return new LatticeAccessible(view);
    return nullptr;
}

void Tell(QWidget* view, QAccessible::Event kind, int child = -1) {
    QAccessibleEvent event(view, kind);
    event.setChild(child);
    QAccessible::updateAccessibility(&event);
}

} // namespace

void InstallLatticeAccessible() {
    QAccessible::installFactory(LatticeFactory);
}

void AccessibleNews::Update(QWidget* view, const LatticePicture& picture) {
    std::vector<std::string> names{PictureName(picture)};
    for (int index = 0; index < DrawnNodeCount(picture); ++index)
        names.push_back(NodeName(picture, DrawnNode(index)));
    const int scale = picture.Options().scale;
    if (QAccessible::isActive() && !m_names.empty()) {
        if (names.front() != m_names.front())
            Tell(view, QAccessible::NameChanged);
        if (names.size() != m_names.size())
            Tell(view, QAccessible::ObjectReorder);
        for (std::size_t n = 1; n < std::min(names.size(), m_names.size()); ++n)
            if (names[n] != m_names[n])
                Tell(view, QAccessible::NameChanged, int(n - 1));
        if (scale != m_scale && names.size() > 1)
            Tell(view, QAccessible::LocationChanged);
    }
    m_names = std::move(names);
    m_scale = scale;
}

void AccessibleNews::TellFocus(QWidget* view, int index) {
    if (QAccessible::isActive())
        Tell(view, QAccessible::Focus, index);
}

} // namespace quib
