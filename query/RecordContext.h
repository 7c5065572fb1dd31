#pragma once

#include "LatticeNodes.h"
#include "NodeSets.h"

#include <cstdint>

namespace quib {

// What one evaluation of a condition sees: a primary record, its partner and
// the record before it, each as the 32 values shown, in node order, with the
// nodes whose values are missing (TransformValues tells them). A condition
// reads only what its Reads() names; the rest may be left null.
struct RecordContext {
    std::int64_t position = 0; // 1-based; `changed` needs a position above 1
    std::int64_t number = 0;   // the primary record's number
    const std::int64_t* values = nullptr;
    NodeMask missing = 0;
    // Null when the record has no partner: every imported value is then
    // missing. Only its being null matters to `partner`.
    const std::int64_t* partner = nullptr;
    NodeMask partnerMissing = 0;
    // The previous primary record's values, read only at positions above 1.
    const std::int64_t* previous = nullptr;
    NodeMask previousMissing = 0;
    // The previous record's partner's; null when it has none.
    const std::int64_t* previousPartner = nullptr;
    NodeMask previousPartnerMissing = 0;
    // The nodes that `differs` compares (ComparedNodes).
    NodeMask compared = 0;
    // The nodes that have a value in the primary run: those its dimension
    // gives for the values as read (CarriedNodes), every node with a
    // transform. `monotone` compares these alone.
    NodeMask carried = kAllNodes;
};

} // namespace quib
