#pragma once

#include "MyQuibDoc.h"

#include <QObject>

#include <functional>

class CFrameWnd;
class QEventLoop;
class QProgressBar;
class QWidget;

namespace quib {

// The reads of Open, Import and Reload in the window: each runs on a thread
// of its own while the window goes on painting and answering keys, and the
// document takes the records in once it is over. A read that takes longer
// than half a second shows, in the status bar, a bar of the bytes read (of
// the files' size; a busy bar where that is unknown, as for a pipe) and a
// Cancel button. While a read runs, files dragged onto the window are
// refused, and closing the window cancels the read and closes it once the
// read has returned.
class LongReadRunner : public QObject {
    Q_OBJECT

  public:
    // Attached to the document as its read runner for as long as it lives.
    LongReadRunner(CFrameWnd& frame, CMyQuibDoc& document);
    ~LongReadRunner() override;

    std::error_code Run(const QStringList& pathNames, const LatticeDocument::Read& read);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Waits in an event loop of its own until the read is over, its
    // progress shown once it has run long enough.
    void Wait(ReadProgress& progress, std::uint64_t totalBytes,
              const std::function<bool()>& isDone);
    void ShowProgress(std::uint64_t bytesRead, std::uint64_t totalBytes);

    CFrameWnd& m_frame;
    CMyQuibDoc& m_document;
    QWidget* m_pane;
    QProgressBar* m_bar;
    ReadProgress* m_running = nullptr;
    QEventLoop* m_loop = nullptr;
    unsigned m_runs = 0;
    bool m_closeAfterRead = false;
};

} // namespace quib
