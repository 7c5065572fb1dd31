#pragma once

#include <cstdint>

// A condition compiled to a flat program for a small stack machine: each
// instruction pushes a value, or replaces the values on top of the stack by
// one. Built by the parser, run by Condition::Evaluate.

namespace quib {

enum class Op : std::uint8_t {
    Constant, // operand: the value, 0 to 2^31
    Number,
    Position,
    Value, // the record's value at `node`
    PartnerValue,
    Minimal, // operand: the nodes directly below `node`
    PartnerMinimal,
    Missing,
    PartnerMissing,
    HasPartner,
    Differs,
    DiffersAt,
    Changed,
    ChangedAt,
    PartnerChangedAt,
    Negate,
    Add,
    Subtract,
    Equal,
    NotEqual,
    Less,
    LessEqual,
    Greater,
    GreaterEqual,
    Not,
    Truth, // 1 when not 0
    // operand: where to go on. `and` leaves its 0 there when the value on
    // top is 0, `or` a 1 when it is not; otherwise the value is dropped.
    AndJump,
    OrJump,
};

struct Instruction {
    Op op;
    std::uint8_t node = 0;
    std::uint32_t operand = 0;
};

// What a condition reads of a record, so that a pass computes nothing else.
struct ConditionReads {
    bool values = false;                // the record's values
    bool partnerValues = false;         // its partner's
    bool previousValues = false;        // the previous record's
    bool previousPartnerValues = false; // the previous record's partner's
};

// Parentheses nest at most this deep. The evaluation stack follows: each
// level of parentheses holds at most two values beneath it (a comparison's
// left side and a sum's), and the innermost level needs three.
inline constexpr int kMaxNestedParentheses = 100;
inline constexpr int kEvaluationStackDepth = 2 * kMaxNestedParentheses + 3;

} // namespace quib
