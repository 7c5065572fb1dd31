#pragma once

#include "LatticeRecordArray.h"

#include <vector>

// Pairing as plainly as it can be said: for each primary record in turn, scan
// the imported records in read order for the first one with its number that
// is not taken yet. Quadratic; the reference for the indexed pairing.
std::vector<int> LiteralPairing(const CLatticeRecordArray& primary,
                                const CLatticeRecordArray& imported);
