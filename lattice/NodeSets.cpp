#include "NodeSets.h"

#include <algorithm>
#include <array>
#include <bit>

namespace quib {

namespace {

// Level by level, and within a level in the alphabetical order of the
// subsets' letters, as the nodes are numbered.
constexpr bool DrawnBefore(VariableSet a, VariableSet b) {
    if (std::popcount(a) != std::popcount(b))
        return std::popcount(a) < std::popcount(b);
    // The first variable in which they differ: the one that has it is first.
    const VariableSet first = (a ^ b) & ~((a ^ b) - 1);
    return (a & first) != 0;
}

struct Numbering {
    std::array<VariableSet, kNodeCount> variables{};
    std::array<int, kNodeCount> node{};
    std::array<NodeMask, kNodeCount> lower{};
};

constexpr Numbering MakeNumbering() {
    Numbering numbering;
    for (VariableSet set = 0; set < kNodeCount; ++set)
        numbering.variables[set] = set;
    std::sort(numbering.variables.begin(), numbering.variables.end(), DrawnBefore);
    for (int n = 0; n < kNodeCount; ++n)
        numbering.node[numbering.variables[n]] = n;
    for (int n = 0; n < kNodeCount; ++n)
        for (int v = 0; v < kVariableCount; ++v)
            if (numbering.variables[n] & (1u << v))
                numbering.lower[n] |= NodeMask{1}
                                      << numbering.node[numbering.variables[n] & ~(1u << v)];
    return numbering;
}

constexpr Numbering kNumbering = MakeNumbering();

} // namespace

VariableSet VariablesOf(int node) {
    return kNumbering.variables[node];
}

int NodeOf(VariableSet variables) {
    return kNumbering.node[variables & (kNodeCount - 1)];
}

NodeMask LowerNeighbours(int node) {
    return kNumbering.lower[node];
}

NodeMask MinimalNodes(const std::int64_t values[kNodeCount]) {
    NodeMask positive = 0;
    for (int n = 0; n < kNodeCount; ++n)
        positive |= NodeMask{values[n] > 0} << n;
    NodeMask minimal = 0;
    for (NodeMask rest = positive; rest != 0; rest &= rest - 1) {
        const int n = std::countr_zero(rest);
        if ((kNumbering.lower[n] & positive) == 0)
            minimal |= NodeMask{1} << n;
    }
    return minimal;
}

NodeMask CarriedNodes(int dimension) {
    if (dimension <= 0)
        return 0;
    if (dimension >= kNodeCount)
        return kAllNodes;
    return kAllNodes << (kNodeCount - dimension);
}

NodeMask ComparedNodes(int primaryDimension, int importedDimension, bool transformed) {
    return transformed ? kAllNodes
                       : CarriedNodes(primaryDimension) & CarriedNodes(importedDimension);
}

NodeMask DifferingNodes(const std::int64_t values[kNodeCount],
                        const std::int64_t partner[kNodeCount], NodeMask compared) {
    NodeMask differing = 0;
    for (int n = 0; n < kNodeCount; ++n)
        differing |= NodeMask{values[n] != partner[n]} << n;
    return differing & compared;
}

} // namespace quib
