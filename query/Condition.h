#pragma once

#include "ConditionError.h"
#include "ConditionProgram.h"
#include "RecordContext.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quib {

// A condition on a record, compiled once and evaluated on any number of
// records without allocating.
class Condition {
  public:
    // What the condition reads of a record.
    const ConditionReads& Reads() const { return m_reads; }
    // imported.NAME, differs, partner and the like: an error where no file
    // is imported (ConditionProblem).
    bool ReadsImportedRun() const { return m_reads.ImportedRun(); }

    // The condition's value on a record, nothing where it is missing:
    // comparisons and tests give 1 or 0, never missing.
    std::optional<std::int64_t> Evaluate(const RecordContext& record) const;
    // A missing value matches as 0 does.
    bool Matches(const RecordContext& record) const { return Evaluate(record).value_or(0) != 0; }

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

// What keeps a condition from being used on the runs shown, empty where
// nothing does: where it is malformed, its error ("column 4: unknown name
// 'abf'"); where it reads the imported run and no file is imported
// (`imported` false), kNoImportedRun. The find bar shows this text, the
// command line writes it after "quib: --find: ".
std::string ConditionProblem(const ParsedCondition& parsed, bool imported);

inline constexpr const char* kNoImportedRun =
    "the condition reads the imported run, but no file is imported";

} // namespace quib
