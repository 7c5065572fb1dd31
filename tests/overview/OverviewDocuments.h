#pragma once

#include "LatticeDocument.h"

#include <cstdint>
#include <random>

// Documents built in memory for the overview's tests and benchmarks: records
// numbered from 1, values from a function of (position, node).

template <class ValueOf>
void FillRecords(CLatticeRecordArray& records, int count, ValueOf valueOf) {
    records.SetSize(count);
    for (int k = 0; k < count; ++k) {
        records[k].m_nRecordNumber = k + 1;
        for (int n = 0; n < quib::kNodeCount; ++n)
            records[k].m_nNodeValue[n] = valueOf(k, n);
    }
}

// An imported run of the same numbers, less those for which `skip(number)`
// holds, in reverse order, then paired.
template <class ValueOf, class Skip>
void ImportRecords(LatticeDocument& document, int dimension, ValueOf valueOf, Skip skip) {
    CLatticeRecordArray& records = document.m_importedRecords;
    document.m_nImportedDim = dimension;
    records.SetSize(0);
    for (int k = document.m_primaryRecords.GetSize() - 1; k >= 0; --k) {
        const int number = document.m_primaryRecords[k].m_nRecordNumber;
        if (skip(number))
            continue;
        CLatticeRecord record;
        record.m_nRecordNumber = number;
        for (int n = 0; n < quib::kNodeCount; ++n)
            record.m_nNodeValue[n] = valueOf(k, n);
        records.Add(record);
    }
    document.AlignImportedRecords();
}

// Values as files hold them: mostly small counts, zeros, a few at the limits
// of 32 bits, negatives down to -31999, and now and then missing.
class RandomValues {
  public:
    explicit RandomValues(std::uint32_t seed) : m_random(seed) {}

    std::int32_t operator()(int, int) {
        constexpr std::int32_t kSpecial[] = {0,      1,      -1,    2147483647, -2147483647 - 1,
                                             -31999, -32000, -32001};
        const std::uint32_t pick = m_random();
        if (pick % 16 == 0)
            return kSpecial[(pick >> 4) % 8];
        if (pick % 16 < 6)
            return 0;
        return std::int32_t((pick >> 4) % 2001) - 1000;
    }

  private:
    std::mt19937 m_random;
};
