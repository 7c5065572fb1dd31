#include "NodeHistory.h"

#include "StepwiseBuild.h"

namespace quib {

NodeHistory::NodeHistory(const LatticeDocument& document, int node, ValueTransform transform)
    : NodeHistory(StepwiseBuild<NodeHistory>(document, transform, node).Finish()) {}

NodeHistory::NodeHistory(const ShownRecords&, int records, ValueTransform transform, int node)
    : m_node(node), m_transform(transform), m_grid(records) {
    m_fine.m_grid = m_grid;
    m_fine.m_columns = m_grid.FineBins();
    m_fine.m_spans.assign(std::size_t(m_fine.m_columns) * 2, ValueSpan{});
}

int NodeHistory::ReadFineBins(const ShownRecords& shown, int firstBin, int records) {
    const int bins = m_grid.FineBins();
    const std::int64_t until = std::int64_t{m_grid.FineStart(firstBin)} + records;
    const OverviewMode modes[] = {OverviewMode::Primary, OverviewMode::Imported};
    // A node outside the lattice has no values.
    const bool inLattice = m_node >= 0 && m_node < kNodeCount;
    std::int64_t values[kNodeCount];
    int bin = firstBin;
    for (; bin < bins && m_grid.FineStart(bin) < until; ++bin) {
        ValueSpan* spans = &m_fine.m_spans[std::size_t(bin) * 2];
        for (int k = m_grid.FineStart(bin), end = m_grid.FineStart(bin + 1); k < end && inLattice;
             ++k)
            for (int run = 0; run < 2; ++run)
                if ((shown.Read(modes[run], k, values) >> m_node & 1) == 0)
                    spans[run].Take(values[m_node]);
        m_range.Take(spans[0]);
        m_range.Take(spans[1]);
    }
    return bin;
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
