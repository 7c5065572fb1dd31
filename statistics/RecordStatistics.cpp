#include "RecordStatistics.h"

#include "ConditionScan.h"
#include "LatticeDocument.h"
#include "NodeSets.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>

namespace quib {

namespace {

// What the values of a node add up to while the records go by, a field per
// figure over the 32 nodes.
struct ValueTotals {
    // Wrapping in 64 bits, as the conditions' sums do, never overflowing.
    std::uint64_t sum[kNodeCount] = {};
    std::int64_t min[kNodeCount];
    std::int64_t max[kNodeCount];
    int positive[kNodeCount] = {};

    ValueTotals() {
        std::fill(std::begin(min), std::end(min), std::numeric_limits<std::int64_t>::max());
        std::fill(std::begin(max), std::end(max), std::numeric_limits<std::int64_t>::min());
    }

    void Take(int n, std::int64_t value) {
        sum[n] += static_cast<std::uint64_t>(value);
        min[n] = std::min(min[n], value);
        max[n] = std::max(max[n], value);
        positive[n] += value > 0;
    }
};

// The values of every node: the loop that nearly every record goes through,
// four nodes at a time where the processor has AVX2 (SSE2 has no 64-bit
// comparison).
__attribute__((target_clones("avx2", "default"))) void
TakeEveryNode(ValueTotals& __restrict totals, const std::int64_t* __restrict values) {
    for (int n = 0; n < kNodeCount; ++n)
        totals.Take(n, values[n]);
}

// One run's figures. Most records have a value in every node that the run
// gives: those are taken in without a test per node and counted once for
// all nodes; the nodes present in the others are counted one by one.
class RunTotals {
  public:
    explicit RunTotals(NodeMask carried) : m_carried(carried) {}

    NodeMask Carried() const { return m_carried; }

    // The values of the nodes in `present` (of those carried), and the nodes
    // in `minimal`.
    void Add(const std::int64_t values[kNodeCount], NodeMask present, NodeMask minimal) {
        if (present == m_carried) {
            ++m_whole;
            TakeEveryNode(m_values, values);
        } else {
            for (NodeMask rest = present; rest != 0; rest &= rest - 1) {
                const int n = std::countr_zero(rest);
                ++m_partial[n];
                m_values.Take(n, values[n]);
            }
        }
        for (NodeMask rest = minimal; rest != 0; rest &= rest - 1)
            ++m_minimal[std::countr_zero(rest)];
    }

    // The nodes not carried took in what they read in the whole records, but
    // their count is 0.
    void Into(NodeStatistics nodes[kNodeCount]) const {
        for (int n = 0; n < kNodeCount; ++n) {
            NodeStatistics& node = nodes[n];
            node.count = (m_carried >> n & 1 ? m_whole : 0) + m_partial[n];
            const bool any = node.count > 0;
            node.sum = any ? static_cast<std::int64_t>(m_values.sum[n]) : 0;
            node.min = any ? m_values.min[n] : 0;
            node.max = any ? m_values.max[n] : 0;
            node.positive = any ? m_values.positive[n] : 0;
            node.minimal = m_minimal[n];
        }
    }

  private:
    NodeMask m_carried;
    int m_whole = 0; // records with a value in every node carried
    int m_partial[kNodeCount] = {};
    ValueTotals m_values;
    int m_minimal[kNodeCount] = {};
};

// The three runs' totals, a selected record at a time.
class StatisticsPass {
  public:
    StatisticsPass(const LatticeDocument& document, ValueTransform transform)
        : m_document(document), m_transform(transform), m_imported(document.m_nImportedDim > 0),
          m_runs{RunTotals(Carried(document.m_nPrimaryDim, transform)),
                 RunTotals(Carried(document.m_nImportedDim, transform)),
                 RunTotals(Carried(document.m_nPrimaryDim, transform) &
                           Carried(document.m_nImportedDim, transform))} {}

    void Add(int index) {
        ++m_selected;
        const NodeMask missing =
            TransformValues(m_transform, m_document.m_primaryRecords[index].m_nNodeValue, m_values);
        const NodeMask present = m_runs[0].Carried() & ~missing;
        m_runs[0].Add(m_values, present, MinimalNodes(m_values));
        const int partner = m_imported ? m_document.ImportedPartner(index) : kNoPartner;
        if (partner == kNoPartner)
            return;
        const NodeMask partnerMissing = TransformValues(
            m_transform, m_document.m_importedRecords[partner].m_nNodeValue, m_partner);
        const NodeMask partnerPresent = m_runs[1].Carried() & ~partnerMissing;
        m_runs[1].Add(m_partner, partnerPresent, MinimalNodes(m_partner));
        // Only where both are present; elsewhere the difference is not used.
        for (int n = 0; n < kNodeCount; ++n)
            m_difference[n] = m_partner[n] - m_values[n];
        m_runs[2].Add(m_difference, present & partnerPresent, 0);
    }

    RecordStatistics Result() const {
        RecordStatistics result;
        result.selected = m_selected;
        result.runCount = m_imported ? kStatisticsRunCount : 1;
        for (int run = 0; run < result.runCount; ++run)
            m_runs[run].Into(result.nodes[run]);
        return result;
    }

  private:
    // With a transform every node has a value, also those a file of
    // dimension 26 does not give.
    static NodeMask Carried(int dimension, ValueTransform transform) {
        return transform == ValueTransform::Read ? CarriedNodes(dimension) : kAllNodes;
    }

    const LatticeDocument& m_document;
    ValueTransform m_transform;
    bool m_imported;
    RunTotals m_runs[kStatisticsRunCount];
    int m_selected = 0;
    std::int64_t m_values[kNodeCount];
    std::int64_t m_partner[kNodeCount];
    std::int64_t m_difference[kNodeCount];
};

} // namespace

RecordStatistics ComputeStatistics(const LatticeDocument& document,
                                   const RecordSelection& selection, ValueTransform transform) {
    StatisticsPass pass(document, transform);
    const int first = std::max(selection.first, 1);
    const int last = std::min(selection.last, document.m_primaryRecords.GetSize());
    if (selection.condition == nullptr) {
        for (int position = first; position <= last; ++position)
            pass.Add(position - 1);
    } else {
        ConditionScan(document, transform)
            .ForEachMatch(*selection.condition, first, last,
                          [&pass](int position) { pass.Add(position - 1); });
    }
    return pass.Result();
}

std::vector<RecordSelection> SplitSelection(const RecordSelection& selection, int records,
                                            int parts) {
    const long long first = std::max(selection.first, 1);
    const long long last = std::min(selection.last, records);
    const long long length = last - first + 1;
    if (parts <= 1 || length < parts)
        return {selection};
    std::vector<RecordSelection> pieces;
    for (long long k = 0; k < parts; ++k)
        pieces.push_back({static_cast<int>(first + length * k / parts),
                          static_cast<int>(first + length * (k + 1) / parts - 1),
                          selection.condition});
    return pieces;
}

void AddStatistics(RecordStatistics& total, const RecordStatistics& part) {
    total.selected += part.selected;
    for (int run = 0; run < total.runCount; ++run) {
        for (int n = 0; n < kNodeCount; ++n) {
            NodeStatistics& into = total.nodes[run][n];
            const NodeStatistics& more = part.nodes[run][n];
            if (more.count > 0) {
                into.min = into.count > 0 ? std::min(into.min, more.min) : more.min;
                into.max = into.count > 0 ? std::max(into.max, more.max) : more.max;
                // Wrapping as the pass's own sum does.
                into.sum = static_cast<std::int64_t>(static_cast<std::uint64_t>(into.sum) +
                                                     static_cast<std::uint64_t>(more.sum));
            }
            into.count += more.count;
            into.positive += more.positive;
            into.minimal += more.minimal;
        }
    }
}

} // namespace quib
