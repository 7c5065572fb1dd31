#pragma once

#include "LatticeRecordArray.h"

#include <vector>

namespace quib {

// What a primary record's partner index holds when it has none.
inline constexpr int kNoPartner = -1;

// Pairs the records of two datasets by record number. Each primary record, in
// order, takes the earliest imported record (in the order they were read)
// that has its number and that no earlier primary record took; so the k-th
// primary record with a number is paired with the k-th imported one.
//
// On success `partners` holds, for every primary index, the imported index of
// its partner or kNoPartner. Linear in the number of records. Returns false,
// leaving `partners` as it was, when memory runs out.
bool PairRecordsByNumber(const CLatticeRecordArray& primary, const CLatticeRecordArray& imported,
                         std::vector<int>& partners);

} // namespace quib
