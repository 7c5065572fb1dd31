#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class CMyQuibView;
class QAction;
class QMainWindow;
class QMenu;
class QStatusBar;
class QThread;

namespace quib {

class FindingsDialog;

// The check of the open file in the window: the context menu's "Check
// File..." lists what `quib --check` finds in it, and after each File Open
// the status bar's message pane says how many lines may not read as meant.
// That count is made on a thread of its own, so that opening costs no
// second read.
class FileCheckPanel : public QObject {
    Q_OBJECT

  public:
    FileCheckPanel(QMainWindow& frame, CMyQuibView& view);
    // Waits for a count still being made.
    ~FileCheckPanel() override;

    void ShowFindings();

  private:
    void AddMenuItem(QMenu& menu);
    QString OpenPath() const;
    // Counts the open file's findings, after the count running, if any.
    void CountFindings();
    void StartCount();
    void TellCount(const QString& path, int lines);

    QMainWindow& m_frame;
    CMyQuibView& m_view;
    QAction* m_checkFile;
    QPointer<FindingsDialog> m_dialog;
    QThread* m_counting = nullptr;
    bool m_countAgain = false;
    // What the status bar was last told, to take it back once it no longer
    // holds.
    QString m_told;
};

} // namespace quib
