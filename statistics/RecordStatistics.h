#pragma once

#include "Condition.h"
#include "LatticeNodes.h"
#include "ValueTransform.h"

#include <climits>
#include <cstdint>
#include <vector>

class LatticeDocument;

namespace quib {

// What a run holds across many records, per node: the same figures for the
// command line's --statistics and the window's statistics panel.

// The primary run's values, its partners' (with an import shown), and the
// partner's value minus the primary one.
enum class StatisticsRun { Primary, Imported, Difference };
inline constexpr int kStatisticsRunCount = 3;

// A node's figures in one run over the selected records.
struct NodeStatistics {
    // The records whose value there is present: not missing, given by the
    // run's dimension (values as read), with a partner (imported), both
    // present (difference).
    int count = 0;
    // Of those values; 0 where count is 0.
    std::int64_t min = 0;
    std::int64_t max = 0;
    std::int64_t sum = 0;
    int positive = 0; // how many are above 0
    // The selected records that have the node minimal in that run as the
    // highlight marks it; always 0 for the difference, which has no minimal
    // nodes.
    int minimal = 0;

    // Only where count is above 0.
    double Mean() const { return static_cast<double>(sum) / count; }
};

// The records to cover: the primary records at positions `first` to `last`
// (1-based, inclusive, clamped into the records) that `condition` matches,
// every one of them without a condition.
struct RecordSelection {
    int first = 1;
    int last = INT_MAX;
    const Condition* condition = nullptr;
};

struct RecordStatistics {
    int selected = 0; // the records selected
    // 1 for the primary run alone, kStatisticsRunCount with an import shown
    // (an imported dimension above 0).
    int runCount = 1;
    NodeStatistics nodes[kStatisticsRunCount][kNodeCount];

    const NodeStatistics& At(StatisticsRun run, int node) const {
        return nodes[static_cast<int>(run)][node];
    }
};

// The figures of every run and node over the selected records, in the values
// `transform` shows: one pass over them, nothing allocated per record. Reads
// the document only, which must not change meanwhile; any thread may call
// it, several at once.
RecordStatistics ComputeStatistics(const LatticeDocument& document,
                                   const RecordSelection& selection, ValueTransform transform);

// The selection of a document of `records` records cut into at most `parts`
// selections of consecutive positions that together select the same
// records, for as many threads to compute at once.
std::vector<RecordSelection> SplitSelection(const RecordSelection& selection, int records,
                                            int parts);

// Adds to `total` the figures of `part`, which are of other records of the
// same document and values.
void AddStatistics(RecordStatistics& total, const RecordStatistics& part);

} // namespace quib
