#include "WorkerPool.h"

#include <QThreadPool>

namespace quib {

QThreadPool& WorkerPool() {
    static QThreadPool pool;
    return pool;
}

} // namespace quib
