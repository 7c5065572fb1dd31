#pragma once

#include "LatticeDocument.h"

#include <QObject>
#include <QString>

#include <system_error>

class CMyQuibDoc;
class CMyQuibView;
class QFileSystemWatcher;
class QLabel;
class QMainWindow;
class QTimer;

namespace quib {

// Follow File: the checkable command, off at start. While it is on, what is
// appended to the open file is read as the rest of it and shown (a view on
// the last record moving on to the new last one), a replaced or shrunk file
// read again whole; a pane in the status bar says that the file is followed.
// The file system tells of changes; only where it cannot is the file looked
// at, twice a second. A file read from a pipe cannot be followed.
class FollowCommand : public QObject {
    Q_OBJECT

  public:
    FollowCommand(QMainWindow& frame, CMyQuibView& view, CMyQuibDoc& document);

    void SetFollowing(bool on);
    bool Following() const { return !m_path.isEmpty(); }

  private:
    // Asks the file system to tell of changes; polls where it cannot.
    void Watch();
    void ReadChanges();
    void Read(std::error_code error, const QString& failedPath, bool changed, bool onLast);
    void FileRead();

    CMyQuibView& m_view;
    CMyQuibDoc& m_document;
    QLabel* m_pane;
    QFileSystemWatcher* m_watcher;
    QTimer* m_poll;
    // The path followed, empty while Follow File is off.
    QString m_path;
    LatticeDocument::FollowedFile m_at;
    bool m_reading = false;
    bool m_lookAgain = false; // a change came while a look was under way
};

} // namespace quib
