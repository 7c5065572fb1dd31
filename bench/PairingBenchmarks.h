#pragma once

#include <vector>

// Registers the pairing of primary records numbered 1 to N with imported ones
// in reversed order, shuffled, and shuffled with every 17th number missing:
// the indexed pairing beside the literal search for `comparedSizes`, the
// indexed one alone for `indexedOnlySizes` ("pair/<pass>/<order>/N").
void RegisterPairingBenchmarks(const std::vector<int>& comparedSizes,
                               const std::vector<int>& indexedOnlySizes);
