#include "FindPanel.h"

#include "FindBar.h"
#include "MyQuibView.h"
#include "RecordFinder.h"

#include <QAction>
#include <QDockWidget>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>

namespace quib {

FindPanel::FindPanel(QMainWindow& frame, CMyQuibView& view)
    : QObject(&frame), m_view(view), m_finder(new RecordFinder(view, this)),
      m_bar(new FindBar(*m_finder)), m_dock(new QDockWidget(&frame)),
      m_findRecords(new QAction(QStringLiteral("Find Records...\tCtrl+F"), this)),
      m_nextDifference(new QAction(QStringLiteral("Next Difference"), this)),
      m_previousDifference(new QAction(QStringLiteral("Previous Difference"), this)) {
    // A bar of its own below the picture, without a title or buttons to
    // float or close it, and not listed among the toolbars.
    m_dock->setObjectName(QStringLiteral("findBar"));
    m_dock->setWindowTitle(QStringLiteral("Find Records"));
    m_dock->setWidget(m_bar);
    m_dock->setTitleBarWidget(new QWidget(m_dock));
    m_dock->setFeatures(QDockWidget::NoDockWidgetFeatures);
    m_dock->setAllowedAreas(Qt::BottomDockWidgetArea);
    m_dock->toggleViewAction()->setVisible(false);
    frame.addDockWidget(Qt::BottomDockWidgetArea, m_dock);
    m_dock->hide();

    m_findRecords->setObjectName(QStringLiteral("findRecords"));
    m_nextDifference->setObjectName(QStringLiteral("nextDifference"));
    m_previousDifference->setObjectName(QStringLiteral("previousDifference"));
    connect(m_findRecords, &QAction::triggered, this, &FindPanel::Open);
    connect(m_nextDifference, &QAction::triggered, m_finder, &RecordFinder::NextDifference);
    connect(m_previousDifference, &QAction::triggered, m_finder, &RecordFinder::PreviousDifference);
    connect(m_bar, &FindBar::closeRequested, this, &FindPanel::Close);

    connect(&view, &CMyQuibView::ContextMenuOpening, this,
            [this](QMenu* menu, int) { AddMenuItems(*menu); });
    connect(&view, &CMyQuibView::DocumentChanged, m_finder, &RecordFinder::DocumentChanged);
    view.installEventFilter(this);
}

void FindPanel::Open() {
    m_dock->show();
    m_bar->Activate();
}

void FindPanel::Close() {
    m_dock->hide();
    m_view.setFocus(Qt::OtherFocusReason);
}

void FindPanel::AddMenuItems(QMenu& menu) {
    const bool showsImported = m_finder->ShowsImported();
    m_nextDifference->setEnabled(showsImported);
    m_previousDifference->setEnabled(showsImported);
    menu.addSeparator();
    menu.addActions({m_findRecords, m_nextDifference, m_previousDifference});
}

void FindPanel::FindOnView(bool forward) {
    m_bar->Commit();
    if (!m_finder->HasCondition())
        Open();
    else if (forward)
        m_finder->FindNext();
    else
        m_finder->FindPrevious();
}

bool FindPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        m_finder->CheckValuesShown();
    } else if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        const QKeyCombination pressed = key->keyCombination();
        if (pressed == QKeyCombination(Qt::ControlModifier, Qt::Key_F)) {
            Open();
            return true;
        }
        if (pressed == QKeyCombination(Qt::Key_F3) ||
            pressed == QKeyCombination(Qt::ShiftModifier, Qt::Key_F3)) {
            FindOnView(pressed.keyboardModifiers() == Qt::NoModifier);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quib
