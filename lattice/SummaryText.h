#pragma once

#include "LatticeTables.h"

#include <string>

// Appends the summary line of one drawn dataset: "Record nr N <", the 32
// values each after a blank, then ">". Without a record number (the position
// lies beyond the primary records) the number reads "-".
void AppendSummaryLine(std::string& out, const int* recordNumber,
                       const int values[quib::kNodeCount]);

// Appends "Minimal nodes:" and " label" for each minimal node in node order.
void AppendMinimalNodesLine(std::string& out, const int values[quib::kNodeCount]);

// Appends "Differing nodes:" and " label" for each node whose values differ,
// in node order; without a partner (`partner` null) " -".
void AppendDifferingNodesLine(std::string& out, const int values[quib::kNodeCount],
                              const int* partner);
