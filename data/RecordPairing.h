#pragma once

#include "LatticeRecordArray.h"

#include <cstdint>
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

// The pairing of a document's datasets, kept from one pairing to the next so
// that records appended to the primary dataset are paired by a search each
// rather than by sorting every record again: each record only takes a
// partner that no earlier one took, so the earlier pairs stay as they are.
class RecordPairing {
  public:
    // As PairRecordsByNumber, keeping the imported records' numbers sorted.
    bool PairAll(const CLatticeRecordArray& primary, const CLatticeRecordArray& imported,
                 std::vector<int>& partners);
    // The primary records from `partners.size()` on, appended since the last
    // pairing of the same imported records, paired; where an appended number
    // does not run above every one before it (or nothing is kept), all are
    // paired again. On false (out of memory) `partners` is as it was.
    bool PairAppended(const CLatticeRecordArray& primary, const CLatticeRecordArray& imported,
                      std::vector<int>& partners);
    // The imported records changed otherwise: nothing kept holds.
    void Forget();

  private:
    std::vector<std::uint64_t> m_offered; // the imported records' keys, by number
    int m_importedCount = -1;             // -1: nothing kept
    bool m_anyPrimary = false;
    std::int32_t m_highestPrimary = 0;
};

} // namespace quib
