#include "RecordGrid.h"

#include <algorithm>
#include <cstdint>

namespace quib {

RecordGrid::RecordGrid(int records, int fineBinLimit)
    : m_records(std::max(records, 0)), m_fineBins(std::min(m_records, std::max(fineBinLimit, 1))) {}

int RecordGrid::Split(int index, int parts, int total) {
    return parts == 0 ? 0 : int(std::int64_t{index} * total / parts);
}

// The largest part whose start lies at or before `at`.
int RecordGrid::PartOf(int at, int parts, int total) {
    if (parts == 0)
        return 0;
    at = std::clamp(at, 0, total - 1);
    return int(((std::int64_t{at} + 1) * parts - 1) / total);
}

int RecordGrid::ColumnsFor(int wanted) const {
    return std::clamp(wanted, 0, m_fineBins);
}

RecordRun RecordGrid::ColumnFineBins(int column, int columns) const {
    return {Split(column, columns, m_fineBins), Split(column + 1, columns, m_fineBins)};
}

RecordRun RecordGrid::ColumnRecords(int column, int columns) const {
    const RecordRun bins = ColumnFineBins(column, columns);
    return {FineStart(bins.first), FineStart(bins.end)};
}

int RecordGrid::ColumnOfRecord(int record, int columns) const {
    if (columns <= 0 || m_fineBins == 0)
        return 0;
    return PartOf(PartOf(record, m_fineBins, m_records), columns, m_fineBins);
}

} // namespace quib
