#pragma once

#include "ReadRunner.h"

#include <QElapsedTimer>
#include <QFutureWatcher>
#include <QObject>
#include <QThreadPool>
#include <QTimer>

#include <memory>

class QProgressBar;
class QStatusBar;
class QWidget;

namespace quib {

// The window's one reader of files: Open, Import, Reload, Follow File, files
// dropped and those of the command line all read on a thread of its own
// while the window goes on painting and answering keys, and each read's end
// is run on the window's thread once it is over. A read the user asked for
// that takes longer than half a second shows, in the status bar, a bar of
// the bytes read (of the files' size; a busy bar where that is unknown, as
// for a pipe) and a Cancel button. A read of Follow File runs beside one the
// user asked for, never beside another of its kind.
class DocumentLoader : public QObject, public ReadRunner {
    Q_OBJECT

  public:
    // The progress pane goes into `bar`, left of its other permanent panes.
    DocumentLoader(QStatusBar& bar, QObject* parent);
    ~DocumentLoader() override;

    bool Start(const std::vector<std::string>& paths, Read read, Kind kind) override;
    bool Busy() const override { return m_asked.Running(); }
    void CancelAndWait() override;
    // Stops the read the user asked for at its next chunk; its end then
    // tells that it was cancelled.
    void Cancel();

  signals:
    // A read the user asked for started, or ended with nothing after it.
    void BusyChanged(bool busy);

  private:
    struct ReadSlot {
        bool Running() const { return watcher != nullptr; }
        bool dropped = false; // its end is not run
        std::shared_ptr<ReadProgress> progress;
        QFutureWatcher<Finish>* watcher = nullptr; // while it runs
    };
    void Launch(ReadSlot& slot, Read read);
    void Ended(ReadSlot& slot);
    void Tick();
    void ShowProgress(std::uint64_t bytesRead);

    QThreadPool m_pool;
    ReadSlot m_asked;
    ReadSlot m_following;
    QWidget* m_pane;
    QProgressBar* m_bar;
    QTimer m_tick;
    QElapsedTimer m_since;
    std::uint64_t m_totalBytes = 0;
};

} // namespace quib
