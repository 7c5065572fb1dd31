#pragma once

#include "ConditionError.h"
#include "ConditionProgram.h"
#include "RecordContext.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace quib {

// A condition on a record, compiled once and evaluated on any number of
// records without allocating.
class Condition {
  public:
    // What the condition reads of a record.
    const ConditionReads& Reads() const { return m_reads; }

    // The condition's value on a record: comparisons and tests give 1 or 0.
    std::int64_t Evaluate(const RecordContext& record) const;
    bool Matches(const RecordContext& record) const { return Evaluate(record) != 0; }

  private:
    friend class ConditionCompiler;
    Condition(std::vector<Instruction> code, ConditionReads reads)
        : m_code(std::move(code)), m_reads(reads) {}

    std::vector<Instruction> m_code;
    ConditionReads m_reads;
};

// A well-formed condition, or where and why its text is not one.
struct ParsedCondition {
    std::optional<Condition> condition;
    ConditionError error; // column 0 when well formed
};

ParsedCondition ParseCondition(std::string_view text);

} // namespace quib
