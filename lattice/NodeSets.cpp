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

// Masks of nodes reordered a byte at a time: into set order (bit s for the
// node of variable set s), where a set's lower neighbours lie at the same
// shifts for every set, and back.
using ByteTables = std::array<std::array<std::uint32_t, 256>, 4>;

constexpr ByteTables MakeByteTables(bool toSets) {
    ByteTables tables{};
    for (int byte = 0; byte < 4; ++byte)
        for (int bits = 0; bits < 256; ++bits)
            for (int k = 0; k < 8; ++k)
                if (bits >> k & 1)
                    tables[byte][bits] |= std::uint32_t{1}
                                          << (toSets ? kNumbering.variables[8 * byte + k]
                                                     : VariableSet(kNumbering.node[8 * byte + k]));
    return tables;
}

constexpr ByteTables kToSets = MakeByteTables(true);
constexpr ByteTables kToNodes = MakeByteTables(false);

std::uint32_t Reordered(const ByteTables& tables, std::uint32_t mask) {
    return tables[0][mask & 0xff] | tables[1][mask >> 8 & 0xff] | tables[2][mask >> 16 & 0xff] |
           tables[3][mask >> 24];
}

// By variable, the sets without it, in set order.
constexpr auto kSetsWithout = [] {
    std::array<std::uint32_t, kVariableCount> without{};
    for (int v = 0; v < kVariableCount; ++v)
        for (VariableSet set = 0; set < kNodeCount; ++set)
            without[v] |= std::uint32_t{(set >> v & 1) == 0} << set;
    return without;
}();

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

// In set order, all 32 nodes at once: a node is blocked when the set without
// one of its variables is positive. Whole-file work asks this of every
// record.
NodeMask MinimalAmong(NodeMask positive) {
    const std::uint32_t sets = Reordered(kToSets, positive);
    std::uint32_t abovePositive = 0;
    for (int v = 0; v < kVariableCount; ++v)
        abovePositive |= (sets & kSetsWithout[v]) << (1u << v);
    return Reordered(kToNodes, sets & ~abovePositive);
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
