#include "NodeHistory.h"

namespace quib {

NodeHistory::NodeHistory(const LatticeDocument& document, int node, ValueTransform transform)
    : m_node(node), m_transform(transform), m_grid(document.m_primaryRecords.GetSize()) {
    const int bins = m_grid.FineBins();
    m_fine.m_grid = m_grid;
    m_fine.m_columns = bins;
    m_fine.m_spans.assign(std::size_t(bins) * 2, ValueSpan{});
    const ShownRecords shown(document, transform);
    const OverviewMode modes[] = {OverviewMode::Primary, OverviewMode::Imported};
    // A node outside the lattice has no values.
    const bool inLattice = m_node >= 0 && m_node < kNodeCount;
    std::int64_t values[kNodeCount];
    for (int bin = 0; bin < bins; ++bin) {
        ValueSpan* spans = &m_fine.m_spans[std::size_t(bin) * 2];
        for (int k = m_grid.FineStart(bin), end = m_grid.FineStart(bin + 1); k < end && inLattice;
             ++k)
            for (int run = 0; run < 2; ++run)
                if ((shown.Read(modes[run], k, values) >> m_node & 1) == 0)
                    spans[run].Take(values[m_node]);
        m_range.Take(spans[0]);
        m_range.Take(spans[1]);
    }
}

HistoryColumns NodeHistory::Columns(int wanted) const {
    HistoryColumns columns;
    columns.m_grid = m_grid;
    columns.m_columns = m_grid.ColumnsFor(wanted);
    columns.m_spans.assign(std::size_t(columns.m_columns) * 2, ValueSpan{});
    for (int c = 0; c < columns.m_columns; ++c) {
        const RecordRun bins = m_grid.ColumnFineBins(c, columns.m_columns);
        for (int bin = bins.first; bin < bins.end; ++bin)
            for (std::size_t run = 0; run < 2; ++run)
                columns.m_spans[std::size_t(c) * 2 + run].Take(
                    m_fine.m_spans[std::size_t(bin) * 2 + run]);
    }
    return columns;
}

} // namespace quib
