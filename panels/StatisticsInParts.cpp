#include "StatisticsInParts.h"

#include "LatticeDocument.h"
#include "WorkerPool.h"

#include <QException>
#include <QFuture>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <exception>
#include <vector>

namespace quib {

RecordStatistics ComputeStatisticsInParts(const LatticeDocument& document,
                                          const RecordSelection& selection, ValueTransform values) {
    const std::vector<RecordSelection> parts = SplitSelection(
        selection, document.m_primaryRecords.GetSize(), WorkerPool().maxThreadCount());
    std::vector<QFuture<RecordStatistics>> others;
    for (std::size_t k = 1; k < parts.size(); ++k)
        others.push_back(QtConcurrent::run(&WorkerPool(), [&document, part = parts[k], values] {
            return ComputeStatistics(document, part, values);
        }));
    RecordStatistics total = ComputeStatistics(document, parts[0], values);
    try {
        // A part still waiting for a worker is run here as it is asked for.
        for (QFuture<RecordStatistics>& other : others)
            AddStatistics(total, other.result());
    } catch (const QUnhandledException& failure) {
        std::rethrow_exception(failure.exception());
    }
    return total;
}

} // namespace quib
