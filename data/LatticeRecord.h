#pragma once

#include "LatticeNodes.h"

#include <cstdint>

// One record: a value per node and the record's number. A plain value of fixed
// size, so that an array of them is one contiguous block that can be copied
// and grown without touching each element.
struct CLatticeRecord {
    std::int32_t m_nNodeValue[quib::kNodeCount] = {};
    std::int32_t m_nRecordNumber = 0;
};

static_assert(sizeof(CLatticeRecord) == 132);
