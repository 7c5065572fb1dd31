#pragma once

// The whole-file panels docked below the view, closed at start, and the
// view's context menu entries that open them: "Show Overview" and, on a
// node, "Show History of ab".

class CMyQuibView;
class QMainWindow;

namespace quib {

class HistoryPanel;
class OverviewPanel;

struct WholeFilePanels {
    OverviewPanel* overview;
    HistoryPanel* history;
};

WholeFilePanels DockWholeFilePanels(QMainWindow& frame, CMyQuibView& view);

} // namespace quib
