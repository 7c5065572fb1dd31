#include "Overview.h"

#include "LatticeTables.h"

#include <algorithm>
#include <array>

namespace quib {

namespace {

// Top to bottom: the highest level first, and within a level from left to
// right as drawn.
std::array<int, kNodeCount> MakeRowOrder() {
    std::array<int, kNodeCount> nodes{};
    for (int n = 0; n < kNodeCount; ++n)
        nodes[std::size_t(n)] = n;
    std::stable_sort(nodes.begin(), nodes.end(), [](int a, int b) {
        if (NodeTable[a].level != NodeTable[b].level)
            return NodeTable[a].level > NodeTable[b].level;
        return NodeTable[a].gridX < NodeTable[b].gridX;
    });
    return nodes;
}

const std::array<int, kNodeCount>& RowOrder() {
    static const std::array<int, kNodeCount> order = MakeRowOrder();
    return order;
}

// Missing counts below every value.
constexpr std::int64_t Magnitude(std::int64_t value) {
    return value == kNoOverviewValue ? -1 : value < 0 ? -value : value;
}

// The values of largest magnitude of a run: the earlier one of two of equal
// magnitude, so that merging runs gives what one run of their records gives.
void TakeLarger(std::int64_t* kept, const std::int64_t* other) {
    for (int n = 0; n < kNodeCount; ++n)
        if (Magnitude(other[n]) > Magnitude(kept[n]))
            kept[n] = other[n];
}

} // namespace

int NodeOfRow(int row) {
    return RowOrder()[std::size_t(row)];
}

int RowOfNode(int node) {
    const auto& order = RowOrder();
    return int(std::find(order.begin(), order.end(), node) - order.begin());
}

Overview::Overview(const LatticeDocument& document, OverviewMode mode, ValueTransform transform)
    : m_mode(mode), m_transform(transform), m_grid(document.m_primaryRecords.GetSize()) {
    const ShownRecords records(document, transform);
    m_absent = records.Absent(mode);
    const int bins = m_grid.FineBins();
    m_fine.m_grid = m_grid;
    m_fine.m_columns = bins;
    m_fine.m_cells.assign(std::size_t(bins) * kNodeCount, kNoOverviewValue);
    m_fine.m_someMissing.assign(std::size_t(bins), 0);
    std::int64_t shown[kNodeCount];
    for (int bin = 0; bin < bins; ++bin) {
        std::int64_t* cells = &m_fine.m_cells[std::size_t(bin) * kNodeCount];
        NodeMask someMissing = 0;
        for (int k = m_grid.FineStart(bin), end = m_grid.FineStart(bin + 1); k < end; ++k) {
            const NodeMask missing = records.Read(mode, k, shown);
            someMissing |= missing;
            for (int n = 0; n < kNodeCount; ++n)
                if (missing >> n & 1)
                    shown[n] = kNoOverviewValue;
            TakeLarger(cells, shown);
        }
        m_fine.m_someMissing[std::size_t(bin)] = someMissing;
        for (int n = 0; n < kNodeCount; ++n)
            m_largestMagnitude = std::max(m_largestMagnitude, Magnitude(cells[n]));
    }
}

OverviewColumns Overview::Columns(int wanted) const {
    OverviewColumns columns;
    columns.m_grid = m_grid;
    columns.m_columns = m_grid.ColumnsFor(wanted);
    columns.m_cells.resize(std::size_t(columns.m_columns) * kNodeCount);
    columns.m_someMissing.resize(std::size_t(columns.m_columns));
    for (int c = 0; c < columns.m_columns; ++c) {
        const RecordRun bins = m_grid.ColumnFineBins(c, columns.m_columns);
        std::int64_t* cells = &columns.m_cells[std::size_t(c) * kNodeCount];
        const std::int64_t* first = &m_fine.m_cells[std::size_t(bins.first) * kNodeCount];
        std::copy(first, first + kNodeCount, cells);
        NodeMask someMissing = 0;
        for (int bin = bins.first; bin < bins.end; ++bin) {
            TakeLarger(cells, &m_fine.m_cells[std::size_t(bin) * kNodeCount]);
            someMissing |= m_fine.m_someMissing[std::size_t(bin)];
        }
        columns.m_someMissing[std::size_t(c)] = someMissing;
    }
    return columns;
}

} // namespace quib
