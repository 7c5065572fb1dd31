#include "Panels.h"

#include "CommandTable.h"
#include "DocumentLoader.h"
#include "FileCheckPanel.h"
#include "FindPanel.h"
#include "FollowCommand.h"
#include "HistoryPanel.h"
#include "LatticeTables.h"
#include "MyQuibDoc.h"
#include "MyQuibView.h"
#include "OverviewPanel.h"
#include "PositionPane.h"
#include "StatisticsPanel.h"

#include <QMainWindow>
#include <QStatusBar>

namespace quib {

namespace {

// Closed at start; the commands that show it follow it as it opens or closes.
void DockClosed(QMainWindow& frame, CMyQuibView& view, QDockWidget* panel,
                Qt::DockWidgetArea area) {
    frame.addDockWidget(area, panel, Qt::Vertical);
    panel->hide();
    QObject::connect(panel, &QDockWidget::visibilityChanged, &view,
                     [table = &view.Commands()] { table->Refresh(); });
}

void BindShowPanel(CMyQuibView& view, CommandId id, QDockWidget* panel) {
    view.Commands().Bind(id, {[panel] { panel->setVisible(panel->isHidden()); },
                              {},
                              [panel] { return !panel->isHidden(); }});
}

} // namespace

DocumentLoader* AttachPanels(QMainWindow& frame, CMyQuibView& view, CMyQuibDoc& document) {
    QStatusBar* bar = frame.findChild<QStatusBar*>();
    if (bar == nullptr)
        bar = frame.statusBar();
    auto* loader = new DocumentLoader(*bar, &frame);
    document.SetReadRunner(loader);
    QObject::connect(loader, &DocumentLoader::BusyChanged, &view,
                     [table = &view.Commands()] { table->Refresh(); });
    // Left of the lock panes, which are permanent too; indices count the
    // message pane before them.
    bar->insertPermanentWidget(1, new PositionPane(view, bar));
    auto* find = new FindPanel(frame, view);
    CMyQuibDoc* reloaded = &document;
    view.Commands().Bind(
        CommandId::Reload,
        {[reloaded] { reloaded->Reload(); },
         [reloaded] { return !reloaded->GetPathName().isEmpty() && !reloaded->IsReading(); }});
    new FollowCommand(frame, view, document);
    new FileCheckPanel(frame, view, document);
    DockWholeFilePanels(frame, view);
    DockStatisticsPanel(frame, view, find->Finder());
    return loader;
}

WholeFilePanels DockWholeFilePanels(QMainWindow& frame, CMyQuibView& view) {
    auto* overview = new OverviewPanel(view, &frame);
    auto* history = new HistoryPanel(view, &frame);
    DockClosed(frame, view, overview, Qt::BottomDockWidgetArea);
    DockClosed(frame, view, history, Qt::BottomDockWidgetArea);
    BindShowPanel(view, CommandId::ShowOverview, overview);
    CommandTable& table = view.Commands();
    // On a node: the one under the context menu's point, else the one with
    // the keyboard's focus, else the one the panel shows.
    const auto node = [shown = &view, history] {
        if (const int underPoint = shown->Commands().NodeUnderPoint(); underPoint >= 0)
            return underPoint;
        const std::optional<NodeHit> focused = shown->FocusedNode();
        return focused ? focused->node : history->Node();
    };
    table.Bind(CommandId::ShowHistory,
               {[history, node] { history->ShowNode(node()); },
                {},
                {},
                [node] { return QString::fromLatin1(DisplayLabel(node())); }});
    return {overview, history};
}

StatisticsPanel* DockStatisticsPanel(QMainWindow& frame, CMyQuibView& view, RecordFinder& finder) {
    auto* statistics = new StatisticsPanel(view, finder, &frame);
    DockClosed(frame, view, statistics, Qt::RightDockWidgetArea);
    BindShowPanel(view, CommandId::ShowStatistics, statistics);
    return statistics;
}

} // namespace quib
