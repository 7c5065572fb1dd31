#include "FindPanel.h"

#include "CommandTable.h"
#include "FindBar.h"
#include "MyQuibView.h"
#include "RecordFinder.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QStatusBar>

namespace quib {

FindPanel::FindPanel(QMainWindow& frame, CMyQuibView& view)
    : QObject(&frame), m_frame(frame), m_view(view), m_finder(new RecordFinder(view, this)),
      m_bar(new FindBar(*m_finder)), m_dock(new QDockWidget(&frame)) {
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
    connect(m_bar, &FindBar::closeRequested, this, &FindPanel::Close);
    connect(m_finder, &RecordFinder::NothingFound, this, [this](const QString& message) {
        if (auto* bar = m_frame.findChild<QStatusBar*>())
            bar->showMessage(message);
    });
    BindCommands();
}

void FindPanel::BindCommands() {
    CommandTable& table = m_view.Commands();
    const auto showsImported = [this] { return m_finder->ShowsImported(); };
    table.Bind(CommandId::FindRecords, {[this] { Open(); }});
    table.Bind(CommandId::FindNext, {[this] { Find(true); }});
    table.Bind(CommandId::FindPrevious, {[this] { Find(false); }});
    table.Bind(CommandId::NextDifference, {[this] { m_finder->NextDifference(); }, showsImported});
    table.Bind(CommandId::PreviousDifference,
               {[this] { m_finder->PreviousDifference(); }, showsImported});
}

void FindPanel::Open() {
    m_dock->show();
    m_bar->Activate();
}

void FindPanel::Close() {
    m_dock->hide();
    m_view.setFocus(Qt::OtherFocusReason);
}

void FindPanel::Find(bool forward) {
    m_bar->Commit();
    if (!m_finder->HasCondition())
        Open();
    else if (forward)
        m_finder->FindNext();
    else
        m_finder->FindPrevious();
}

} // namespace quib
