#include "Panels.h"

#include "FileCheckPanel.h"
#include "FindPanel.h"
#include "FollowCommand.h"
#include "FrameWnd.h"
#include "HistoryPanel.h"
#include "LatticeTables.h"
#include "LongReadRunner.h"
#include "MyQuibView.h"
#include "OverviewPanel.h"
#include "PositionPane.h"
#include "ReloadCommand.h"

#include <QMenu>
#include <QStatusBar>

namespace quib {

void AttachPanels(CFrameWnd& frame, CMyQuibView& view) {
    // Left of the lock panes, which are permanent too; indices count the
    // message pane before them.
    if (auto* bar = frame.findChild<QStatusBar*>())
        bar->insertPermanentWidget(1, new PositionPane(view, bar));
    // In the menu, in this order: finding, the file itself, the whole-file
    // panels (whose node entry comes last, under the point).
    new FindPanel(frame, view);
    new ReloadCommand(view);
    new FollowCommand(frame, view);
    new FileCheckPanel(frame, view);
    DockWholeFilePanels(frame, view);
    if (CMyQuibDoc* document = view.GetDocument())
        new LongReadRunner(frame, *document);
}

WholeFilePanels DockWholeFilePanels(QMainWindow& frame, CMyQuibView& view) {
    auto* overview = new OverviewPanel(view, &frame);
    auto* history = new HistoryPanel(view, &frame);
    for (QDockWidget* panel :
         {static_cast<QDockWidget*>(overview), static_cast<QDockWidget*>(history)}) {
        frame.addDockWidget(Qt::BottomDockWidgetArea, panel, Qt::Vertical);
        panel->hide();
    }
    QObject::connect(&view, &CMyQuibView::ContextMenuOpening, overview, [=](QMenu* menu, int node) {
        menu->addSeparator();
        QAction* show = menu->addAction(QStringLiteral("Show Overview"));
        show->setObjectName(QStringLiteral("showOverview"));
        show->setCheckable(true);
        show->setChecked(overview->isVisible());
        QObject::connect(show, &QAction::toggled, overview, &QWidget::setVisible);
        if (node < 0)
            return;
        QAction* showHistory = menu->addAction(
            QStringLiteral("Show History of %1").arg(QString::fromLatin1(DisplayLabel(node))));
        showHistory->setObjectName(QStringLiteral("showHistory"));
        QObject::connect(showHistory, &QAction::triggered, history,
                         [history, node] { history->ShowNode(node); });
    });
    return {overview, history};
}

} // namespace quib
