#pragma once

#include "LatticeNodes.h"
#include "NodeSets.h"

#include <cstdint>

namespace quib {

// What one evaluation of a condition sees: a primary record, its partner and
// the record before it, each as the 32 values shown, in node order. A
// condition reads only what its Reads() names; the rest may be left null.
struct RecordContext {
    std::int64_t position = 0; // 1-based; `changed` needs a position above 1
    std::int64_t number = 0;   // the primary record's number
    const std::int64_t* values = nullptr;
    // Null when the record has no partner: imported.NAME then reads
    // NO_RECORD_VALUE. Only its being null matters to `partner`.
    const std::int64_t* partner = nullptr;
    // The previous primary record's values, read only at positions above 1.
    const std::int64_t* previous = nullptr;
    // The previous record's partner's; null when it has none.
    const std::int64_t* previousPartner = nullptr;
    // The nodes that `differs` compares (ComparedNodes).
    NodeMask compared = 0;
};

} // namespace quib
