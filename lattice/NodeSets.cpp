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

NodeMask MinimalAmong(NodeMask positive) {
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

bool IsMonotone(const std::int64_t values[kNodeCount], NodeMask present) {
    for (NodeMask upper = present; upper != 0; upper &= upper - 1) {
        const int t = std::countr_zero(upper);
        for (NodeMask lower = kNumbering.lower[t] & present; lower != 0; lower &= lower - 1)
            if (values[std::countr_zero(lower)] > values[t])
                return false;
    }
    return true;
}

NodeMask DifferingNodes(const std::int64_t a[kNodeCount], NodeMask aMissing,
                        const std::int64_t b[kNodeCount], NodeMask bMissing, NodeMask compared) {
    NodeMask differing = 0;
    for (int n = 0; n < kNodeCount; ++n)
        differing |= NodeMask{ValuesDiffer(a[n], aMissing >> n & 1, b[n], bMissing >> n & 1)} << n;
    return differing & compared;
}

} // namespace quib
