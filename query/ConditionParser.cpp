// The condition language: a recursive descent over the grammar that emits
// the program as it goes. Only parentheses recurse (to a bounded depth);
// runs of `not` and of unary minus are counted.

#include "Condition.h"
#include "ConditionLexer.h"
#include "NodeSets.h"

#include <algorithm>
#include <iterator>

namespace quib {

namespace {

constexpr std::string_view kKeywords[] = {"or",      "and",      "not",     "imported",
                                          "number",  "position", "minimal", "missing",
                                          "differs", "changed",  "partner", "monotone"};

bool IsKeyword(std::string_view word) {
    return std::find(std::begin(kKeywords), std::end(kKeywords), word) != std::end(kKeywords);
}

// One to five distinct letters a to e in either case and any order: the
// node of that subset, or -1, with a letter named twice in `why`.
int NodeOfLetters(std::string_view word, std::string& why) {
    VariableSet variables = 0;
    char twice = 0;
    for (char c : word) {
        const char letter = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        if (letter < 'a' || letter > 'e')
            return -1;
        const VariableSet variable = 1u << (letter - 'a');
        if ((variables & variable) && twice == 0)
            twice = letter;
        variables |= variable;
    }
    if (twice != 0) {
        why = std::string(" (letter '") + twice + "' twice)";
        return -1;
    }
    return NodeOf(variables);
}

struct Comparison {
    std::string_view symbol;
    Op op;
};

constexpr Comparison kComparisons[] = {
    {"==", Op::Equal},     {"=", Op::Equal},   {"!=", Op::NotEqual},    {"<", Op::Less},
    {"<=", Op::LessEqual}, {">", Op::Greater}, {">=", Op::GreaterEqual}};

} // namespace

class ConditionCompiler {
  public:
    explicit ConditionCompiler(std::string_view text) : m_lexer(text) {}

    ParsedCondition Compile() {
        if (!Advance())
            return Failed();
        if (m_token.kind == TokenKind::End) {
            m_error = {1, "empty condition"};
            return Failed();
        }
        if (!ParseOr())
            return Failed();
        if (m_token.kind != TokenKind::End) {
            Fail("expected end of condition but found " + Describe(m_token));
            return Failed();
        }
        return {Condition(std::move(m_code), m_reads), {}};
    }

  private:
    ParsedCondition Failed() const { return {std::nullopt, m_error}; }

    bool Advance() { return m_lexer.Next(m_token, m_error); }

    bool Fail(std::string message) {
        m_error = {m_token.Column(), std::move(message)};
        return false;
    }

    // The symbol, or an error that says it was expected (after a keyword).
    bool Expect(std::string_view symbol, std::string_view after = {}) {
        if (m_token.Is(symbol))
            return Advance();
        std::string message = "expected '" + std::string(symbol) + "'";
        if (!after.empty())
            message += " after '" + std::string(after) + "'";
        return Fail(message + " but found " + Describe(m_token));
    }

    void Emit(Op op, int node = 0, std::int64_t operand = 0) {
        m_code.push_back({op, static_cast<std::uint8_t>(node), operand});
        switch (op) {
        case Op::Value:
        case Op::Minimal:
        case Op::Missing:
        case Op::Monotone:
            m_reads.values = true;
            break;
        case Op::HasPartner:
            m_reads.partner = true;
            break;
        case Op::PartnerValue:
        case Op::PartnerMinimal:
        case Op::PartnerMissing:
            m_reads.partnerValues = true;
            break;
        case Op::Differs:
        case Op::DiffersAt:
            m_reads.values = m_reads.partnerValues = true;
            break;
        case Op::Changed:
        case Op::ChangedAt:
        case Op::ChangedMinimal:
            m_reads.values = m_reads.previousValues = true;
            break;
        case Op::PartnerChangedAt:
            m_reads.partnerValues = m_reads.previousPartnerValues = true;
            break;
        default:
            break;
        }
    }

    // `or` and `and`: the right side is skipped where the left decides.
    template <class Operand>
    bool ParseLogical(std::string_view word, std::string_view symbol, Op jump, Operand operand) {
        if (!(this->*operand)())
            return false;
        while (m_token.Is(word) || m_token.Is(symbol)) {
            const std::size_t at = m_code.size();
            Emit(jump);
            if (!Advance() || !(this->*operand)())
                return false;
            Emit(Op::Truth);
            m_code[at].operand = static_cast<std::int64_t>(m_code.size());
        }
        return true;
    }

    bool ParseOr() { return ParseLogical("or", "||", Op::OrJump, &ConditionCompiler::ParseAnd); }

    bool ParseAnd() { return ParseLogical("and", "&&", Op::AndJump, &ConditionCompiler::ParseNot); }

    bool ParseNot() { return ParsePrefixed("not", "!", Op::Not, &ConditionCompiler::ParseCompare); }

    // A run of prefix operators is counted, not recursed into.
    template <class Operand>
    bool ParsePrefixed(std::string_view word, std::string_view symbol, Op op, Operand operand) {
        int count = 0;
        for (; m_token.Is(word) || m_token.Is(symbol); ++count)
            if (!Advance())
                return false;
        if (!(this->*operand)())
            return false;
        for (; count > 0; --count)
            Emit(op);
        return true;
    }

    bool ParseCompare() {
        if (!ParseSum())
            return false;
        for (const Comparison& comparison : kComparisons) {
            if (m_token.Is(comparison.symbol)) {
                if (!Advance() || !ParseSum())
                    return false;
                Emit(comparison.op);
                return true;
            }
        }
        return true;
    }

    bool ParseSum() {
        if (!ParseUnary())
            return false;
        while (m_token.Is("+") || m_token.Is("-")) {
            const Op op = m_token.Is("+") ? Op::Add : Op::Subtract;
            if (!Advance() || !ParseUnary())
                return false;
            Emit(op);
        }
        return true;
    }

    bool ParseUnary() { return ParsePrefixed("-", "-", Op::Negate, &ConditionCompiler::ParseAtom); }

    bool ParseAtom() {
        if (m_token.kind == TokenKind::Integer) {
            Emit(Op::Constant, 0, m_token.value);
            return Advance();
        }
        if (m_token.Is("("))
            return ParseParenthesised();
        if (m_token.kind == TokenKind::Word && IsKeyword(m_token.text))
            return ParseKeyword();
        if (m_token.kind == TokenKind::Word || m_token.kind == TokenKind::EmptySet) {
            int node = 0;
            if (!ParseName(node))
                return false;
            Emit(Op::Value, node);
            return true;
        }
        return Fail("expected a value but found " + Describe(m_token));
    }

    bool ParseParenthesised() {
        if (++m_depth > kMaxNestedParentheses)
            return Fail("more than " + std::to_string(kMaxNestedParentheses) +
                        " nested parentheses");
        if (!Advance() || !ParseOr() || !Expect(")"))
            return false;
        --m_depth;
        return true;
    }

    bool ParseKeyword() {
        const std::string_view word = m_token.text;
        struct Simple {
            std::string_view word;
            Op op;
        };
        for (const Simple& simple : {Simple{"number", Op::Number},
                                     {"position", Op::Position},
                                     {"partner", Op::HasPartner},
                                     {"monotone", Op::Monotone}}) {
            if (word == simple.word) {
                Emit(simple.op);
                return Advance();
            }
        }
        if (word == "imported") {
            bool imported = false;
            int node = 0;
            if (!ParseNode(true, imported, node))
                return false;
            Emit(Op::PartnerValue, node);
            return true;
        }
        if (word == "minimal" || word == "missing")
            return ParseNodeTest(word);
        if (word == "differs" || word == "changed")
            return ParseComparisonTest(word);
        return Fail("expected a value but found " + Describe(m_token));
    }

    // minimal(node), missing(node)
    bool ParseNodeTest(std::string_view word) {
        bool imported = false;
        int node = 0;
        if (!Advance() || !Expect("(", word) || !ParseNode(true, imported, node) || !Expect(")"))
            return false;
        if (word == "minimal")
            Emit(imported ? Op::PartnerMinimal : Op::Minimal, node);
        else
            Emit(imported ? Op::PartnerMissing : Op::Missing, node);
        return true;
    }

    // differs, differs(NAME), changed, changed(node), changed(minimal)
    bool ParseComparisonTest(std::string_view word) {
        const bool differs = word == "differs";
        if (!Advance())
            return false;
        if (!m_token.Is("(")) {
            Emit(differs ? Op::Differs : Op::Changed);
            return true;
        }
        if (!Advance())
            return false;
        if (!differs && m_token.Is("minimal")) {
            Emit(Op::ChangedMinimal);
            return Advance() && Expect(")");
        }
        bool imported = false;
        int node = 0;
        if (!ParseNode(!differs, imported, node) || !Expect(")"))
            return false;
        Emit(differs ? Op::DiffersAt : imported ? Op::PartnerChangedAt : Op::ChangedAt, node);
        return true;
    }

    // ["imported" "."] NAME
    bool ParseNode(bool importedAllowed, bool& imported, int& node) {
        imported = importedAllowed && m_token.Is("imported");
        if (imported && (!Advance() || !Expect(".", "imported")))
            return false;
        return ParseName(node);
    }

    bool ParseName(int& node) {
        if (m_token.kind == TokenKind::EmptySet) {
            node = 0;
            return Advance();
        }
        if (m_token.kind != TokenKind::Word || IsKeyword(m_token.text))
            return Fail("expected a node name but found " + Describe(m_token));
        std::string why;
        node = NodeOfLetters(m_token.text, why);
        if (node >= 0)
            return Advance();
        std::string lower(m_token.text);
        for (char& c : lower)
            c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        if (IsKeyword(lower))
            why = " (keywords are lower case)";
        return Fail("unknown name " + Describe(m_token) + why);
    }

    ConditionLexer m_lexer;
    Token m_token;
    ConditionError m_error;
    std::vector<Instruction> m_code;
    ConditionReads m_reads;
    int m_depth = 0;
};

ParsedCondition ParseCondition(std::string_view text) {
    return ConditionCompiler(text).Compile();
}

} // namespace quib
