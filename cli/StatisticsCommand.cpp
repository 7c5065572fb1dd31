#include "StatisticsCommand.h"

#include "BlockOutput.h"
#include "FindCommands.h"
#include "LatticeDocument.h"
#include "RecordRange.h"
#include "StatisticsFormats.h"

namespace quib {

int RunStatistics(const Arguments& arguments, std::FILE* out, std::FILE* err) {
    std::optional<Condition> condition;
    LatticeDocument document;
    if (const int status = LoadWithCondition(arguments, condition, document, err))
        return status;
    RecordSelection selection;
    if (arguments.recordRange) {
        const PositionRange range =
            AskedPositions(arguments, document.m_primaryRecords.GetSize(), "using", err);
        selection.first = range.first;
        selection.last = range.last;
    }
    selection.condition = condition ? &*condition : nullptr;
    const RecordStatistics statistics = ComputeStatistics(document, selection, arguments.values);

    const SummaryFormat format = arguments.summaryFormat;
    BlockOutput output(out);
    output.Commit(WriteStatisticsHeader(output.Room(kStatisticsLineBytes), format));
    for (int run = 0; statistics.selected > 0 && run < statistics.runCount; ++run)
        for (int node = 0; node < kNodeCount; ++node)
            output.Commit(WriteStatisticsLine(output.Room(kStatisticsLineBytes), format, statistics,
                                              static_cast<StatisticsRun>(run), node));
    return output.FinishStandardOutput(statistics.selected > 0 ? 0 : kNothingFoundStatus, err);
}

} // namespace quib
