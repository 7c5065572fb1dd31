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

// The values of largest magnitude of a run, node by node: the earlier of two
// of equal magnitude, so that merging runs gives what one run of all their
// records gives, and neither sign is favoured. And the lowest and the
// highest of the values, with 0, for the colour scale's ends.
class LargestOfRun {
  public:
    LargestOfRun() {
        std::fill(std::begin(m_value), std::end(m_value), kNoOverviewValue);
        std::fill(std::begin(m_magnitude), std::end(m_magnitude), -1);
    }

    // Without a branch per value: which one wins is as random as the data.
    void Take(const std::int64_t values[kNodeCount], NodeMask missing) {
        for (int n = 0; n < kNodeCount; ++n) {
            const std::uint64_t value = std::uint64_t(values[n]);
            const std::uint64_t sign = std::uint64_t(values[n] >> 63);
            // -1 where missing, else |value|.
            const std::int64_t magnitude =
                std::int64_t((value ^ sign) - sign) | -std::int64_t(missing >> n & 1);
            const std::uint64_t larger = -std::uint64_t(magnitude > m_magnitude[n]);
            m_magnitude[n] ^= (m_magnitude[n] ^ magnitude) & std::int64_t(larger);
            m_value[n] ^= (m_value[n] ^ values[n]) & std::int64_t(larger);
            // 0 where missing.
            const std::int64_t present = values[n] & (std::int64_t(missing >> n & 1) - 1);
            m_lowest[n] = std::min(m_lowest[n], present);
            m_highest[n] = std::max(m_highest[n], present);
        }
    }

    // Cells of runs before: those holding kNoOverviewValue are missing.
    void TakeCells(const std::int64_t cells[kNodeCount]) {
        NodeMask missing = 0;
        for (int n = 0; n < kNodeCount; ++n)
            missing |= NodeMask{cells[n] == kNoOverviewValue} << n;
        Take(cells, missing);
    }

    void Store(std::int64_t cells[kNodeCount]) const { std::copy_n(m_value, kNodeCount, cells); }

    // The colour ends of these values and of `ends`.
    ColourEnds Ends(ColourEnds ends) const {
        ends.lowest = std::min(ends.lowest, *std::min_element(m_lowest, m_lowest + kNodeCount));
        ends.highest = std::max(ends.highest, *std::max_element(m_highest, m_highest + kNodeCount));
        return ends;
    }

  private:
    std::int64_t m_value[kNodeCount];
    std::int64_t m_magnitude[kNodeCount]; // -1 while only missing ones came
    std::int64_t m_lowest[kNodeCount] = {};
    std::int64_t m_highest[kNodeCount] = {};
};

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
    const ShownRecords shown(document, transform);
    m_absent = shown.Absent(mode);
    const int bins = m_grid.FineBins();
    m_fine.m_grid = m_grid;
    m_fine.m_columns = bins;
    m_fine.m_cells.resize(std::size_t(bins) * kNodeCount);
    m_fine.m_someMissing.assign(std::size_t(bins), 0);
    std::int64_t values[kNodeCount];
    for (int bin = 0; bin < bins; ++bin) {
        LargestOfRun largest;
        NodeMask someMissing = 0;
        for (int k = m_grid.FineStart(bin), end = m_grid.FineStart(bin + 1); k < end; ++k) {
            const NodeMask missing = shown.Read(m_mode, k, values);
            someMissing |= missing;
            largest.Take(values, missing);
        }
        largest.Store(&m_fine.m_cells[std::size_t(bin) * kNodeCount]);
        m_fine.m_someMissing[std::size_t(bin)] = someMissing;
        m_ends = largest.Ends(m_ends);
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
        LargestOfRun largest;
        NodeMask someMissing = 0;
        for (int bin = bins.first; bin < bins.end; ++bin) {
            largest.TakeCells(&m_fine.m_cells[std::size_t(bin) * kNodeCount]);
            someMissing |= m_fine.m_someMissing[std::size_t(bin)];
        }
        largest.Store(&columns.m_cells[std::size_t(c) * kNodeCount]);
        columns.m_someMissing[std::size_t(c)] = someMissing;
    }
    return columns;
}

} // namespace quib
