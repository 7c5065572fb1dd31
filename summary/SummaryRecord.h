#pragma once

#include "NodeSets.h"
#include "ValueTransform.h"

#include <cstdint>

class LatticeDocument;

namespace quib {

// What a summary shows of a document, the same for every record.
struct SummaryLayout {
    ValueTransform transform = ValueTransform::Read;
    bool imported = false; // an imported dimension above 0: each record has a partner's side
    bool highlight = false;
    bool differences = false; // only with an imported side
    // The nodes that have a value on each side: those the file's dimension
    // gives for the values as read, every node with a transform.
    NodeMask carried = kAllNodes;
    NodeMask partnerCarried = kAllNodes;
    NodeMask compared = kAllNodes; // those differences are told in
};

// Differences are told only with an imported side.
SummaryLayout SummaryLayoutOf(const LatticeDocument& document, ValueTransform transform,
                              bool highlight, bool differences);

// One primary record and its partner in the values shown, filled anew for
// each record without allocating.
struct SummaryRecord {
    int position = 0; // 1-based
    int number = 0;
    std::int64_t values[kNodeCount] = {};
    NodeMask missing = 0; // the nodes whose values are missing
    bool paired = false;
    // NO_RECORD_VALUE in every node without a partner, every one missing.
    std::int64_t partner[kNodeCount] = {};
    NodeMask partnerMissing = 0;
    // Filled only as the layout asks.
    NodeMask minimal = 0;
    NodeMask partnerMinimal = 0;
    NodeMask differing = 0;
};

void FillSummaryRecord(const LatticeDocument& document, const SummaryLayout& layout, int index,
                       SummaryRecord& record);

} // namespace quib
