#pragma once

class CMyQuibDoc;
class CMyQuibView;
class QMainWindow;

namespace quib {

class DocumentLoader;
class HistoryPanel;
class OverviewPanel;
class RecordFinder;
class StatisticsPanel;

// What Quib adds around the view of a frame: the reader of files with its
// progress, the position pane in the status bar, the find bar, the
// whole-file panels, the statistics, Reload, Follow File and the check of the open file,
// each binding its commands in the view's command table. Returns the
// reader, which the document reads through from then on.
DocumentLoader* AttachPanels(QMainWindow& frame, CMyQuibView& view, CMyQuibDoc& document);

// The whole-file panels docked below the view, closed at start, and their
// commands: "Show Overview" and "Show History of ab".
struct WholeFilePanels {
    OverviewPanel* overview;
    HistoryPanel* history;
};
WholeFilePanels DockWholeFilePanels(QMainWindow& frame, CMyQuibView& view);

// The statistics panel docked beside the view, closed at start, over the
// matches of `finder`'s condition among others, and "Show Statistics".
StatisticsPanel* DockStatisticsPanel(QMainWindow& frame, CMyQuibView& view, RecordFinder& finder);

} // namespace quib
