#pragma once

#include "LatticeNodes.h"

#include <cstdint>

// Sets of nodes as bit masks, bit n for node n, and each node's subset as a
// set of variables, bit 0 for A to bit 4 for E: what whole-file work needs to
// answer for 32 nodes at once.

namespace quib {

using NodeMask = std::uint32_t;
inline constexpr NodeMask kAllNodes = 0xffffffffu;

using VariableSet = unsigned;

// The variables of node `node`'s subset, and the node of a set of variables.
VariableSet VariablesOf(int node);
int NodeOf(VariableSet variables);

// The nodes directly below node `node`: its subset less one variable.
NodeMask LowerNeighbours(int node);

// The minimal-node rule, the highlight's: of the nodes in `positive` (whose
// values are above 0), those with no node of `positive` directly below.
NodeMask MinimalAmong(NodeMask positive);

// The nodes whose values are above 0.
template <class Value> NodeMask PositiveNodes(const Value values[kNodeCount]) {
    NodeMask positive = 0;
    for (int n = 0; n < kNodeCount; ++n)
        positive |= NodeMask{values[n] > 0} << n;
    return positive;
}

// The minimal nodes of a record's values as shown; a missing value is never
// above 0.
inline NodeMask MinimalNodes(const std::int64_t values[kNodeCount]) {
    return MinimalAmong(PositiveNodes(values));
}

// Whether every line of the diagram between two nodes of `present`, S below
// T, rises or stays level: v(S) <= v(T).
bool IsMonotone(const std::int64_t values[kNodeCount], NodeMask present);

// The nodes whose values a file of that dimension gives: the last `dimension`
// nodes, every node above 32, none without data. The others read 0.
NodeMask CarriedNodes(int dimension);

// The nodes whose values two files can differ in: those both give, for the
// values as read; with a transform every node has a value in both.
NodeMask ComparedNodes(int primaryDimension, int importedDimension, bool transformed);

// Whether two values differ, each with whether it is missing: where exactly
// one is missing, or both are present and unequal. Two missing values never
// differ, whatever numbers they hold (-32001 and -32000 are both "/").
constexpr bool ValuesDiffer(std::int64_t a, bool aMissing, std::int64_t b, bool bMissing) {
    return aMissing != bMissing || (!aMissing && a != b);
}

// The nodes of `compared` whose values differ (ValuesDiffer) between two
// records, each with the nodes whose values are missing: a record and its
// partner, or a record and the one before it.
NodeMask DifferingNodes(const std::int64_t a[kNodeCount], NodeMask aMissing,
                        const std::int64_t b[kNodeCount], NodeMask bMissing, NodeMask compared);

} // namespace quib
