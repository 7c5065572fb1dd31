#pragma once

#include <cstdint>

// What GetNodeValue answers for a position that holds no record.
inline constexpr int NO_RECORD_VALUE = -32001;

namespace quib {

// The five variables A to E, and one node per subset of them.
inline constexpr int kVariableCount = 5;
inline constexpr int kNodeCount = 1 << kVariableCount;
// One line per pair of subsets that differ by one variable.
inline constexpr int kEdgeCount = 80;

// A value as read that is drawn "/": no record there, or one the file marks
// as missing. Of the values shown TransformValues tells which are missing
// (under a transform, the sums such a value entered); every value of a
// record without a partner is missing.
constexpr bool IsMissing(std::int64_t value) {
    return value < -31999;
}

} // namespace quib
