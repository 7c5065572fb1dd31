#include "SliceRunner.h"

#include <algorithm>

namespace quib {

SliceRunner::SliceRunner(QObject* parent) : QObject(parent) {
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &SliceRunner::RunSlice);
}

void SliceRunner::Start(Step step) {
    ++m_work;
    m_step = std::move(step);
    m_timer.start();
}

void SliceRunner::Stop() {
    ++m_work;
    m_timer.stop();
    m_step = nullptr;
}

void SliceRunner::RunSlice() {
    QElapsedTimer clock;
    clock.start();
    // The step may start other work, or stop this one.
    const unsigned work = m_work;
    const Step step = m_step;
    const bool more = step(m_records);
    const qint64 took = std::max<qint64>(clock.nsecsElapsed(), 1);
    const double scale = double(kSliceMilliseconds) * 1e6 / double(took);
    m_records = int(std::clamp(m_records * std::clamp(scale, 0.5, 2.0), 256.0, 1e7));
    if (!more && work == m_work)
        Stop();
}

} // namespace quib
