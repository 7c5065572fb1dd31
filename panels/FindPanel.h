#pragma once

#include <QObject>

class CMyQuibView;
class QDockWidget;
class QMainWindow;

namespace quib {

class FindBar;
class RecordFinder;

// Finding records in the window: the find bar docked below the picture,
// closed at start. Its commands: Find Records... (Ctrl+F) opens it, Find Next
// and Find Previous (F3, Shift+F3) find with the last well-formed condition,
// Next Difference and Previous Difference step through the records that
// differ from their partners. A search that finds nothing more says so in
// the status bar.
class FindPanel : public QObject {
    Q_OBJECT

  public:
    FindPanel(QMainWindow& frame, CMyQuibView& view);

    void Open();
    RecordFinder& Finder() const { return *m_finder; }
    // Closed, the focus back on the view.
    void Close();

  private:
    void BindCommands();
    // Without a condition yet, F3 and Shift+F3 open the bar.
    void Find(bool forward);

    QMainWindow& m_frame;
    CMyQuibView& m_view;
    RecordFinder* m_finder;
    FindBar* m_bar;
    QDockWidget* m_dock;
};

} // namespace quib
