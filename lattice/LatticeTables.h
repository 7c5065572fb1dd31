#pragma once

#include "LatticeNodes.h"

// The subset lattice of the five variables A to E: a node per subset,
// numbered level by level and alphabetically within a level.

struct NodeInfo {
    const char* label; // upper case; "{}" for the empty set
    int gridX;         // horizontal place in grid steps, -10 to 8
    int level;         // number of variables, 0 at the bottom
};

struct EdgePair {
    int lower;
    int upper;
};

extern const NodeInfo NodeTable[quib::kNodeCount];

// The covering pairs, sorted by lower then upper node, then (-1, -1).
extern const EdgePair EdgeTable[quib::kEdgeCount + 1];

// OrderMatrix[lower][upper] is 1 exactly for the pairs of EdgeTable.
extern int OrderMatrix[quib::kNodeCount][quib::kNodeCount];
void BuildOrderMatrix();

namespace quib {

// A node is minimal when its value is positive and no node directly below it
// has a positive value (MinimalAmong).
bool IsMinimalNodeOf(const int values[kNodeCount], int node);

// The label as drawn: lower case, "{}" for the empty set.
const char* DisplayLabel(int node);

} // namespace quib
