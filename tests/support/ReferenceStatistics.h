#pragma once

#include "LatticeDocument.h"
#include "ValueTransform.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Statistics over records worked out plainly, one record and one node at a
// time: the values by the literal transform, the partners by the literal
// pairing, the minimal nodes by the rule's words, the records chosen by the
// plain condition interpreter. The statistics library must give the same.

struct ReferenceNodeFigures {
    int count = 0;
    std::int64_t min = 0; // 0 where count is 0
    std::int64_t max = 0;
    std::int64_t sum = 0;
    int positive = 0;
    int minimal = 0;
    bool operator==(const ReferenceNodeFigures&) const = default;
};

struct ReferenceStatisticsResult {
    int selected = 0;
    // primary, then with an imported dimension above 0 imported and
    // difference.
    std::vector<std::array<ReferenceNodeFigures, 32>> runs;
};

// Over the records at 1-based positions `first` to `last` (those outside the
// file left out) that `condition` matches (every one where it is empty).
ReferenceStatisticsResult ReferenceStatistics(const LatticeDocument& document,
                                              quib::ValueTransform transform, long long first,
                                              long long last, const std::string& condition);
