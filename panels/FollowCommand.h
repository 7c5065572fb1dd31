#pragma once

#include "LatticeDocument.h"

#include <QObject>
#include <QString>

class CMyQuibView;
class QAction;
class QFileSystemWatcher;
class QLabel;
class QMainWindow;
class QMenu;
class QTimer;

namespace quib {

// Follow File: the context menu's checkable entry, off at start. While it is
// on, what is appended to the open file is read as the rest of it and shown
// (a view on the last record moving on to the new last one), a replaced or
// shrunk file read again whole; a pane in the status bar says that the file
// is followed. The file system tells of changes; only where it cannot is the
// file's size looked at, twice a second.
class FollowCommand : public QObject {
    Q_OBJECT

  public:
    FollowCommand(QMainWindow& frame, CMyQuibView& view);

    void SetFollowing(bool on);
    bool Following() const { return !m_path.isEmpty(); }

  private:
    void AddMenuItem(QMenu& menu);
    // Asks the file system to tell of changes; polls where it cannot.
    void Watch();
    void ReadChanges();
    void FileOpened();

    CMyQuibView& m_view;
    QAction* m_follow;
    QLabel* m_pane;
    QFileSystemWatcher* m_watcher;
    QTimer* m_poll;
    // The path followed, empty while Follow File is off.
    QString m_path;
    LatticeDocument::FollowedFile m_at;
};

} // namespace quib
