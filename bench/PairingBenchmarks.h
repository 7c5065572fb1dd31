#pragma once

#include <vector>

// Registers the alignment pass on primary records numbered 1 to N and the
// imported ones in reversed and in shuffled order: the indexed pass beside
// the literal one for `comparedSizes`, the indexed pass alone for
// `indexedOnlySizes` ("align/<pass>/<order>/N").
void RegisterAlignmentBenchmarks(const std::vector<int>& comparedSizes,
                                 const std::vector<int>& indexedOnlySizes);
