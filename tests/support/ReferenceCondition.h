#pragma once

#include "LatticeDocument.h"
#include "ValueTransform.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A find condition worked out plainly: the text split into words and
// symbols, then interpreted by a recursive descent that evaluates as it
// parses, every side of every operator, on records given as their values.
// A missing value is an empty optional all the way through. The condition
// library must give the same.

using ReferenceValue = std::optional<std::int64_t>; // empty: missing
using ReferenceValues = std::array<ReferenceValue, 32>;

struct ReferenceRecordValues {
    std::int64_t number = 0;
    ReferenceValues values{};               // as shown
    std::optional<ReferenceValues> partner; // none: no partner
};

struct ReferenceConditionInput {
    std::vector<ReferenceRecordValues> records;
    int primaryDimension = -1;
    int importedDimension = -1;
    bool transformed = false; // values not as read: every node compared
};

bool ReferenceConditionWellFormed(const std::string& condition);

// The value of a well-formed `condition` on record `index` (0-based); empty
// where it is missing.
ReferenceValue ReferenceConditionValue(const std::string& condition,
                                       const ReferenceConditionInput& input, std::size_t index);

// The records of a document as a condition sees them: its primary records
// with their partners, values as `transform` shows them, each worked out
// from its definition (LiteralTransform).
ReferenceConditionInput ReferenceConditionInputOf(const LatticeDocument& document,
                                                  quib::ValueTransform transform);
