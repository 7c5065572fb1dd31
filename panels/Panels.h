#pragma once

class CFrameWnd;
class CMyQuibView;
class QMainWindow;

namespace quib {

class HistoryPanel;
class OverviewPanel;

// What Quib adds around the view of a frame: the position pane in the
// status bar, the find bar, the whole-file panels, Reload, Follow File, the
// check of the open file, and long reads that show their progress.
void AttachPanels(CFrameWnd& frame, CMyQuibView& view);

// The whole-file panels docked below the view, closed at start, and the
// view's context menu entries that open them: "Show Overview" and, on a
// node, "Show History of ab".
struct WholeFilePanels {
    OverviewPanel* overview;
    HistoryPanel* history;
};
WholeFilePanels DockWholeFilePanels(QMainWindow& frame, CMyQuibView& view);

} // namespace quib
