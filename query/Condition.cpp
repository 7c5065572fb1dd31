#include "Condition.h"

#include <bit>

namespace quib {

namespace {

// Arithmetic wraps modulo 2^64: it is done on unsigned values, and the
// conversion back to signed is defined for every value, so that no
// condition and no value can overflow into undefined behaviour.
std::int64_t Wrap(std::uint64_t value) {
    return static_cast<std::int64_t>(value);
}

std::uint64_t Bits(std::int64_t value) {
    return static_cast<std::uint64_t>(value);
}

// A partner's value; a record with none reads NO_RECORD_VALUE.
std::int64_t ValueOf(const std::int64_t* values, int node) {
    return values != nullptr ? values[node] : NO_RECORD_VALUE;
}

// Positive, and no node directly below positive: the highlight's rule.
bool IsMinimal(const std::int64_t* values, int node, NodeMask lower) {
    if (values == nullptr || values[node] <= 0)
        return false;
    for (NodeMask rest = lower; rest != 0; rest &= rest - 1)
        if (values[std::countr_zero(rest)] > 0)
            return false;
    return true;
}

bool AnyDiffers(const std::int64_t* a, const std::int64_t* b) {
    bool differs = false;
    for (int n = 0; n < kNodeCount; ++n)
        differs |= a[n] != b[n];
    return differs;
}

} // namespace

std::int64_t Condition::Evaluate(const RecordContext& r) const {
    // The parser's bound on nesting keeps the program within this stack.
    std::int64_t stack[kEvaluationStackDepth];
    int size = 0;
    const auto push = [&](std::int64_t value) { stack[size++] = value; };
    const auto combine = [&](auto operation) {
        --size;
        stack[size - 1] = operation(stack[size - 1], stack[size]);
    };
    const bool hasPrevious = r.position > 1;
    std::size_t pc = 0;
    while (pc < m_code.size()) {
        const Instruction in = m_code[pc++];
        switch (in.op) {
        case Op::Constant:
            push(in.operand);
            break;
        case Op::Number:
            push(r.number);
            break;
        case Op::Position:
            push(r.position);
            break;
        case Op::Value:
            push(r.values[in.node]);
            break;
        case Op::PartnerValue:
            push(ValueOf(r.partner, in.node));
            break;
        case Op::Minimal:
            push(IsMinimal(r.values, in.node, in.operand));
            break;
        case Op::PartnerMinimal:
            push(IsMinimal(r.partner, in.node, in.operand));
            break;
        case Op::Missing:
            push(IsMissing(r.values[in.node]));
            break;
        case Op::PartnerMissing:
            push(IsMissing(ValueOf(r.partner, in.node)));
            break;
        case Op::HasPartner:
            push(r.partner != nullptr);
            break;
        case Op::Differs:
            push(r.partner != nullptr && DifferingNodes(r.values, r.partner, r.compared) != 0);
            break;
        case Op::DiffersAt:
            push(r.partner != nullptr && (r.compared >> in.node & 1) != 0 &&
                 r.values[in.node] != r.partner[in.node]);
            break;
        case Op::Changed:
            push(hasPrevious && AnyDiffers(r.values, r.previous));
            break;
        case Op::ChangedAt:
            push(hasPrevious && r.values[in.node] != r.previous[in.node]);
            break;
        case Op::PartnerChangedAt:
            push(hasPrevious && ValueOf(r.partner, in.node) != ValueOf(r.previousPartner, in.node));
            break;
        case Op::Negate:
            stack[size - 1] = Wrap(0 - Bits(stack[size - 1]));
            break;
        case Op::Add:
            combine([](std::int64_t a, std::int64_t b) { return Wrap(Bits(a) + Bits(b)); });
            break;
        case Op::Subtract:
            combine([](std::int64_t a, std::int64_t b) { return Wrap(Bits(a) - Bits(b)); });
            break;
        case Op::Equal:
            combine([](std::int64_t a, std::int64_t b) -> std::int64_t { return a == b; });
            break;
        case Op::NotEqual:
            combine([](std::int64_t a, std::int64_t b) -> std::int64_t { return a != b; });
            break;
        case Op::Less:
            combine([](std::int64_t a, std::int64_t b) -> std::int64_t { return a < b; });
            break;
        case Op::LessEqual:
            combine([](std::int64_t a, std::int64_t b) -> std::int64_t { return a <= b; });
            break;
        case Op::Greater:
            combine([](std::int64_t a, std::int64_t b) -> std::int64_t { return a > b; });
            break;
        case Op::GreaterEqual:
            combine([](std::int64_t a, std::int64_t b) -> std::int64_t { return a >= b; });
            break;
        case Op::Not:
            stack[size - 1] = stack[size - 1] == 0;
            break;
        case Op::Truth:
            stack[size - 1] = stack[size - 1] != 0;
            break;
        case Op::AndJump:
            if (stack[size - 1] == 0)
                pc = in.operand;
            else
                --size;
            break;
        case Op::OrJump:
            if (stack[size - 1] != 0) {
                stack[size - 1] = 1;
                pc = in.operand;
            } else {
                --size;
            }
            break;
        }
    }
    return stack[0];
}

} // namespace quib
