#pragma once

// Work over a whole file done on the GUI thread in slices of a few
// milliseconds, one slice per turn of the event loop: keys and paints are
// handled between slices, and the data is never read while the thread that
// changes it is busy elsewhere.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

namespace quib {

class SliceRunner : public QObject {
    Q_OBJECT

  public:
    // Reads about `records` records; false once nothing is left to do.
    using Step = std::function<bool(int records)>;

    // A slice's length: short enough that a key waits no more than this.
    static constexpr int kSliceMilliseconds = 4;

    explicit SliceRunner(QObject* parent = nullptr);

    // Runs `step` from the next turn of the event loop on, in place of any
    // work still running.
    void Start(Step step);
    void Stop();
    bool Running() const { return m_timer.isActive(); }

  private:
    void RunSlice();

    QTimer m_timer;
    Step m_step;
    unsigned m_work = 0; // counts the works started and stopped
    // Records per slice, adapted to the time the last slice took.
    int m_records = 4096;
};

} // namespace quib
