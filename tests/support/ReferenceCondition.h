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
// The condition library must give the same.

struct ReferenceRecordValues {
    std::int64_t number = 0;
    std::array<std::int64_t, 32> values{};               // as shown
    std::optional<std::array<std::int64_t, 32>> partner; // none: no partner
};

struct ReferenceConditionInput {
    std::vector<ReferenceRecordValues> records;
    int primaryDimension = -1;
    int importedDimension = -1;
    bool transformed = false; // values not as read: every node compared
};

// The value of `condition` on record `index` (0-based), or nothing when the
// text is not a well-formed condition.
std::optional<std::int64_t> ReferenceConditionValue(const std::string& condition,
                                                    const ReferenceConditionInput& input,
                                                    std::size_t index);

// The records of a document as a condition sees them: its primary records
// with their partners, values as `transform` shows them.
ReferenceConditionInput ReferenceConditionInputOf(const LatticeDocument& document,
                                                  quib::ValueTransform transform);
