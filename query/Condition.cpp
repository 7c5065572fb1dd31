#include "Condition.h"

#include <functional>

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

// A value on the stack, and whether it is missing; a missing one's number
// means nothing.
struct Operand {
    std::int64_t value;
    bool missing;
};

Operand Present(std::int64_t value) {
    return {value, false};
}

// A record's value; every value of an absent record (no partner) is missing.
Operand ValueAt(const std::int64_t* values, NodeMask missing, int node) {
    if (values == nullptr)
        return {NO_RECORD_VALUE, true};
    return {values[node], (missing >> node & 1) != 0};
}

bool Differ(Operand a, Operand b) {
    return ValuesDiffer(a.value, a.missing, b.value, b.missing);
}

// A run's minimal nodes, found at the first question of a record and kept
// for the others; none for an absent record.
class KnownMinimal {
  public:
    explicit KnownMinimal(const std::int64_t* values) : m_values(values) {}
    NodeMask Nodes() {
        if (!m_found) {
            m_nodes = m_values != nullptr ? MinimalNodes(m_values) : 0;
            m_found = true;
        }
        return m_nodes;
    }
    bool Has(int node) { return (Nodes() >> node & 1) != 0; }

  private:
    const std::int64_t* m_values;
    bool m_found = false;
    NodeMask m_nodes = 0;
};

// A comparison with a missing side gives 0, `!=` too.
template <class Compare> Operand Compared(Operand a, Operand b, Compare compare) {
    return Present(!a.missing && !b.missing && compare(a.value, b.value));
}

// `+` and `-` with a missing side give missing.
template <class Combine> Operand Combined(Operand a, Operand b, Combine combine) {
    return {Wrap(combine(Bits(a.value), Bits(b.value))), a.missing || b.missing};
}

bool IsTrue(Operand operand) {
    return !operand.missing && operand.value != 0;
}

} // namespace

std::optional<std::int64_t> Condition::Evaluate(const RecordContext& r) const {
    // The parser's bound on nesting keeps the program within this stack.
    Operand stack[kEvaluationStackDepth];
    int size = 0;
    const auto push = [&](Operand operand) { stack[size++] = operand; };
    const auto truth = [&](bool value) { push(Present(value)); };
    const auto combine = [&](auto operation) {
        --size;
        stack[size - 1] = operation(stack[size - 1], stack[size]);
    };
    const bool hasPrevious = r.position > 1;
    KnownMinimal minimal(r.values), partnerMinimal(r.partner), previousMinimal(r.previous);
    std::size_t pc = 0;
    while (pc < m_code.size()) {
        const Instruction in = m_code[pc++];
        switch (in.op) {
        case Op::Constant:
            push(Present(in.operand));
            break;
        case Op::Number:
            push(Present(r.number));
            break;
        case Op::Position:
            push(Present(r.position));
            break;
        case Op::Value:
            push(ValueAt(r.values, r.missing, in.node));
            break;
        case Op::PartnerValue:
            push(ValueAt(r.partner, r.partnerMissing, in.node));
            break;
        case Op::Minimal:
            truth(minimal.Has(in.node));
            break;
        case Op::PartnerMinimal:
            truth(partnerMinimal.Has(in.node));
            break;
        case Op::Missing:
            truth(ValueAt(r.values, r.missing, in.node).missing);
            break;
        case Op::PartnerMissing:
            truth(ValueAt(r.partner, r.partnerMissing, in.node).missing);
            break;
        case Op::HasPartner:
            truth(r.partner != nullptr);
            break;
        case Op::Differs:
            truth(r.partner != nullptr && DifferingNodes(r.values, r.missing, r.partner,
                                                         r.partnerMissing, r.compared) != 0);
            break;
        case Op::DiffersAt:
            truth(r.partner != nullptr && (r.compared >> in.node & 1) != 0 &&
                  Differ(ValueAt(r.values, r.missing, in.node),
                         ValueAt(r.partner, r.partnerMissing, in.node)));
            break;
        case Op::Changed:
            truth(hasPrevious && DifferingNodes(r.values, r.missing, r.previous, r.previousMissing,
                                                kAllNodes) != 0);
            break;
        case Op::ChangedAt:
            truth(hasPrevious && Differ(ValueAt(r.values, r.missing, in.node),
                                        ValueAt(r.previous, r.previousMissing, in.node)));
            break;
        case Op::PartnerChangedAt:
            truth(hasPrevious &&
                  Differ(ValueAt(r.partner, r.partnerMissing, in.node),
                         ValueAt(r.previousPartner, r.previousPartnerMissing, in.node)));
            break;
        case Op::ChangedMinimal:
            truth(hasPrevious && minimal.Nodes() != previousMinimal.Nodes());
            break;
        case Op::Monotone:
            truth(IsMonotone(r.values, r.carried & ~r.missing));
            break;
        case Op::Negate:
            stack[size - 1].value = Wrap(0 - Bits(stack[size - 1].value));
            break;
        case Op::Add:
            combine([](Operand a, Operand b) { return Combined(a, b, std::plus<>()); });
            break;
        case Op::Subtract:
            combine([](Operand a, Operand b) { return Combined(a, b, std::minus<>()); });
            break;
        case Op::Equal:
            combine([](Operand a, Operand b) { return Compared(a, b, std::equal_to<>()); });
            break;
        case Op::NotEqual:
            combine([](Operand a, Operand b) { return Compared(a, b, std::not_equal_to<>()); });
            break;
        case Op::Less:
            combine([](Operand a, Operand b) { return Compared(a, b, std::less<>()); });
            break;
        case Op::LessEqual:
            combine([](Operand a, Operand b) { return Compared(a, b, std::less_equal<>()); });
            break;
        case Op::Greater:
            combine([](Operand a, Operand b) { return Compared(a, b, std::greater<>()); });
            break;
        case Op::GreaterEqual:
            combine([](Operand a, Operand b) { return Compared(a, b, std::greater_equal<>()); });
            break;
        case Op::Not:
            stack[size - 1] = Present(!IsTrue(stack[size - 1]));
            break;
        case Op::Truth:
            stack[size - 1] = Present(IsTrue(stack[size - 1]));
            break;
        case Op::AndJump:
            if (!IsTrue(stack[size - 1])) {
                stack[size - 1] = Present(0);
                pc = std::size_t(in.operand);
            } else {
                --size;
            }
            break;
        case Op::OrJump:
            if (IsTrue(stack[size - 1])) {
                stack[size - 1] = Present(1);
                pc = std::size_t(in.operand);
            } else {
                --size;
            }
            break;
        }
    }
    if (stack[0].missing)
        return std::nullopt;
    return stack[0].value;
}

std::string ConditionProblem(const ParsedCondition& parsed, bool imported) {
    if (!parsed.condition)
        return parsed.error.Text();
    if (!imported && parsed.condition->ReadsImportedRun())
        return kNoImportedRun;
    return {};
}

} // namespace quib
