#pragma once

#include <cstdint>

// A condition compiled to a flat program for a small stack machine: each
// instruction pushes a value, or replaces the values on top of the stack by
// one. A value on the stack may be missing: a missing value in the
// record, or a sum or a negation of one. Built by the parser, run by
// Condition::Evaluate.

namespace quib {

enum class Op : std::uint8_t {
    Constant, // operand: the value, 0 to 2^63 - 1
    Number,
    Position,
    Value, // the record's value at `node`
    PartnerValue,
    Minimal,
    PartnerMinimal,
    Missing,
    PartnerMissing,
    HasPartner,
    Differs,
    DiffersAt,
    Changed,
    ChangedAt,
    PartnerChangedAt,
    ChangedMinimal,
    Monotone,
    Negate,
    Add,
    Subtract,
    Equal,
    NotEqual,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    Not,   // 1 for 0 and for a missing value
    Truth, // 1 when present and not 0
    // operand: where to go on. `and` leaves a 0 there when the value on top
    // is 0 or missing, `or` a 1 when it is neither; otherwise the value is
    // dropped.
    AndJump,
    OrJump,
};

struct Instruction {
    Op op;
    std::uint8_t node = 0;
    std::int64_t operand = 0;
};

// What a condition reads of a record, so that a pass computes nothing else.
struct ConditionReads {
    bool values = false;                // the record's values
    bool partner = false;               // whether it has a partner
    bool partnerValues = false;         // its partner's values
    bool previousValues = false;        // the previous record's
    bool previousPartnerValues = false; // the previous record's partner's

    // Anything of the imported run: where no file is imported, such a
    // condition is an error (kNoImportedRun).
    bool ImportedRun() const { return partner || partnerValues || previousPartnerValues; }
};

// Parentheses nest at most this deep. The evaluation stack follows: each
// level of parentheses holds at most two values beneath it (a comparison's
// left side and a sum's), and the innermost level needs three.
inline constexpr int kMaxNestedParentheses = 100;
inline constexpr int kEvaluationStackDepth = 2 * kMaxNestedParentheses + 3;

} // namespace quib
