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

// The minimal nodes of a record: positive, with no positive node directly
// below (the highlight's rule).
NodeMask MinimalNodes(const std::int64_t values[kNodeCount]);

// The nodes whose values a file of that dimension gives: the last `dimension`
// nodes, every node above 32, none without data. The others read 0.
NodeMask CarriedNodes(int dimension);

// The nodes whose values two files can differ in: those both give, for the
// values as read; with a transform every node has a value in both.
NodeMask ComparedNodes(int primaryDimension, int importedDimension, bool transformed);

// The nodes whose values differ between a record and its partner, of those
// in `compared`.
NodeMask DifferingNodes(const std::int64_t values[kNodeCount],
                        const std::int64_t partner[kNodeCount], NodeMask compared);

} // namespace quib
