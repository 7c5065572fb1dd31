#pragma once

#include "ValueTransform.h"

#include <cstdint>

// One node's value under a transform as its definition reads, one subset at
// a time: false where a missing value enters it (for the values as read,
// where the value itself is missing).
bool LiteralTransform(quib::ValueTransform transform, const std::int32_t read[quib::kNodeCount],
                      int node, std::int64_t& value);
