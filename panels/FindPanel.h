#pragma once

#include <QObject>

class CMyQuibView;
class QAction;
class QDockWidget;
class QMainWindow;
class QMenu;

namespace quib {

class FindBar;
class RecordFinder;

// Finding records in the window: the find bar docked below the picture,
// closed at start; Ctrl+F and the context menu's "Find Records..." open it,
// F3 and Shift+F3 find on the view with the last well-formed condition, and
// the context menu's "Next Difference" and "Previous Difference" step
// through the records that differ from their partners. The view's own keys
// stay the view's: the panel takes only these three from it.
class FindPanel : public QObject {
    Q_OBJECT

  public:
    FindPanel(QMainWindow& frame, CMyQuibView& view);

    void Open();
    // Closed, the focus back on the view.
    void Close();

  protected:
    // The view's keys Ctrl+F, F3 and Shift+F3, and its paints (the values
    // shown change only with one).
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void AddMenuItems(QMenu& menu);
    // F3 and Shift+F3 on the view; without a condition yet, they open the bar.
    void FindOnView(bool forward);

    CMyQuibView& m_view;
    RecordFinder* m_finder;
    FindBar* m_bar;
    QDockWidget* m_dock;
    QAction* m_findRecords;
    QAction* m_nextDifference;
    QAction* m_previousDifference;
};

} // namespace quib
