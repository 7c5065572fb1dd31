#include "ReferenceCondition.h"

#include "LatticeTables.h"
#include "LiteralTransform.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

constexpr int kParenthesesAllowed = 100;

bool IsWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Words (letters, digits, '_', not beginning with a digit), integers,
// "{}" and operators; false for anything else.
bool Split(const std::string& text, std::vector<std::string>& tokens) {
    const char* const symbols[] = {"||", "&&", "==", "!=", "<=", ">=", "!", "=",
                                   "<",  ">",  "+",  "-",  "(",  ")",  ".", "{}"};
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == ' ' || (c >= '\t' && c <= '\r')) {
            ++i;
            continue;
        }
        std::size_t j = i;
        if (std::isdigit(static_cast<unsigned char>(c))) {
            while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])))
                ++j;
        } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
            while (j < text.size() && IsWordChar(text[j]))
                ++j;
        } else {
            for (const char* symbol : symbols) {
                if (text.compare(i, std::strlen(symbol), symbol) == 0) {
                    j = i + std::strlen(symbol);
                    break;
                }
            }
            if (j == i)
                return false;
        }
        tokens.push_back(text.substr(i, j - i));
        i = j;
    }
    return true;
}

// The node of a name as drawn, letters in any order and case; -1 if none.
int NodeNamed(const std::string& name) {
    if (name == "{}")
        return 0;
    if (name.empty() || name.size() > 5)
        return -1;
    std::string upper;
    for (char c : name) {
        const char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (u < 'A' || u > 'E' || upper.find(u) != std::string::npos)
            return -1;
        upper += u;
    }
    std::sort(upper.begin(), upper.end());
    for (int n = 0; n < 32; ++n)
        if (upper == NodeTable[n].label)
            return n;
    return -1;
}

bool Carried(int dimension, int node) {
    return dimension > 0 && node >= 32 - std::min(dimension, 32);
}

std::int64_t Wrapped(std::uint64_t value) {
    return static_cast<std::int64_t>(value);
}

bool IsTrue(const ReferenceValue& value) {
    return value.has_value() && *value != 0;
}

class Interpreter {
  public:
    Interpreter(const std::vector<std::string>& tokens, const ReferenceConditionInput& input,
                std::size_t index)
        : m_tokens(tokens), m_input(input), m_record(input.records[index]),
          m_previous(index > 0 ? &input.records[index - 1] : nullptr) {}

    std::optional<ReferenceValue> Run() {
        if (m_tokens.empty())
            return std::nullopt;
        const ReferenceValue value = Or();
        if (m_bad || m_at != m_tokens.size())
            return std::nullopt;
        return value;
    }

  private:
    const std::string& Peek() const {
        static const std::string end;
        return m_at < m_tokens.size() ? m_tokens[m_at] : end;
    }
    std::string Take() {
        if (m_at >= m_tokens.size()) {
            m_bad = true;
            return {};
        }
        return m_tokens[m_at++];
    }
    void Need(const char* token) {
        if (Take() != token)
            m_bad = true;
    }

    ReferenceValue Or() {
        ReferenceValue value = And();
        while (!m_bad && (Peek() == "or" || Peek() == "||")) {
            Take();
            const ReferenceValue right = And();
            value = IsTrue(value) || IsTrue(right);
        }
        return value;
    }
    ReferenceValue And() {
        ReferenceValue value = Not();
        while (!m_bad && (Peek() == "and" || Peek() == "&&")) {
            Take();
            const ReferenceValue right = Not();
            value = IsTrue(value) && IsTrue(right);
        }
        return value;
    }
    ReferenceValue Not() {
        if (Peek() == "not" || Peek() == "!") {
            Take();
            return !IsTrue(Not());
        }
        return Compare();
    }
    // With a missing side, every comparison is false.
    ReferenceValue Compare() {
        const ReferenceValue left = Sum();
        const std::string op = Peek();
        if (op != "=" && op != "==" && op != "!=" && op != "<" && op != "<=" && op != ">" &&
            op != ">=")
            return left;
        Take();
        const ReferenceValue right = Sum();
        if (!left || !right)
            return 0;
        if (op == "=" || op == "==")
            return *left == *right;
        if (op == "!=")
            return *left != *right;
        if (op == "<")
            return *left < *right;
        if (op == "<=")
            return *left <= *right;
        if (op == ">")
            return *left > *right;
        return *left >= *right;
    }
    ReferenceValue Sum() {
        ReferenceValue value = Unary();
        while (!m_bad && (Peek() == "+" || Peek() == "-")) {
            const bool plus = Take() == "+";
            const ReferenceValue right = Unary();
            if (!value || !right) {
                value.reset();
                continue;
            }
            const auto a = static_cast<std::uint64_t>(*value);
            const auto b = static_cast<std::uint64_t>(*right);
            value = Wrapped(plus ? a + b : a - b);
        }
        return value;
    }
    ReferenceValue Unary() {
        if (Peek() == "-") {
            Take();
            const ReferenceValue value = Unary();
            if (!value)
                return value;
            return Wrapped(std::uint64_t{0} - static_cast<std::uint64_t>(*value));
        }
        return Atom();
    }

    // ["imported" "."] NAME: the node, and whether it is the partner's.
    int Node(bool& imported, bool allowImported) {
        imported = allowImported && Peek() == "imported";
        if (imported) {
            Take();
            Need(".");
        }
        const int node = NodeNamed(Take());
        if (node < 0)
            m_bad = true;
        return std::max(node, 0);
    }

    // A record's values; those of a record without a partner are all
    // missing.
    static ReferenceValue Value(const ReferenceRecordValues& record, bool imported, int node) {
        if (!imported)
            return record.values[node];
        return record.partner ? (*record.partner)[node] : std::nullopt;
    }
    bool Compared(int node) const {
        return m_input.transformed || (Carried(m_input.primaryDimension, node) &&
                                       Carried(m_input.importedDimension, node));
    }
    // Positive, and no node directly below positive.
    static bool Minimal(const ReferenceRecordValues& record, bool imported, int node) {
        const auto positive = [&](int n) { return Value(record, imported, n).value_or(0) > 0; };
        if (!positive(node))
            return false;
        for (int lower = 0; lower < 32; ++lower)
            if (OrderMatrix[lower][node] == 1 && positive(lower))
                return false;
        return true;
    }
    // Two missing values are equal, a missing and a present one are not.
    bool Differs(int node) const {
        return m_record.partner && Compared(node) &&
               Value(m_record, false, node) != Value(m_record, true, node);
    }
    bool Changed(bool imported, int node) const {
        return m_previous != nullptr &&
               Value(m_record, imported, node) != Value(*m_previous, imported, node);
    }
    bool ChangedMinimal() const {
        if (m_previous == nullptr)
            return false;
        for (int node = 0; node < 32; ++node)
            if (Minimal(m_record, false, node) != Minimal(*m_previous, false, node))
                return true;
        return false;
    }
    // Along every line of the diagram whose ends both have a value.
    bool Monotone() const {
        const auto present = [&](int node) {
            return m_record.values[node].has_value() &&
                   (m_input.transformed || Carried(m_input.primaryDimension, node));
        };
        for (int lower = 0; lower < 32; ++lower)
            for (int upper = 0; upper < 32; ++upper)
                if (OrderMatrix[lower][upper] == 1 && present(lower) && present(upper) &&
                    *m_record.values[lower] > *m_record.values[upper])
                    return false;
        return true;
    }

    ReferenceValue Atom() {
        const std::string word = Take();
        if (m_bad)
            return 0;
        if (!word.empty() && std::isdigit(static_cast<unsigned char>(word[0]))) {
            const std::size_t first = std::min(word.find_first_not_of('0'), word.size() - 1);
            const std::string digits = word.substr(first);
            if (digits.size() > 19 || (digits.size() == 19 && digits > "9223372036854775807"))
                m_bad = true;
            return m_bad ? 0 : std::stoll(digits);
        }
        if (word == "(") {
            if (++m_parentheses > kParenthesesAllowed)
                m_bad = true;
            const ReferenceValue value = m_bad ? 0 : Or();
            Need(")");
            --m_parentheses;
            return value;
        }
        if (word == "number")
            return m_record.number;
        if (word == "position")
            return std::int64_t(&m_record - m_input.records.data()) + 1;
        if (word == "partner")
            return m_record.partner.has_value();
        if (word == "monotone")
            return Monotone();
        bool imported = false;
        if (word == "minimal" || word == "missing") {
            Need("(");
            const int node = Node(imported, true);
            Need(")");
            return word == "minimal" ? Minimal(m_record, imported, node)
                                     : !Value(m_record, imported, node).has_value();
        }
        if (word == "differs" || word == "changed") {
            const bool differs = word == "differs";
            if (Peek() != "(") {
                bool any = false;
                for (int node = 0; node < 32; ++node)
                    any = any || (differs ? Differs(node) : Changed(false, node));
                return any;
            }
            Take();
            if (!differs && Peek() == "minimal") {
                Take();
                Need(")");
                return ChangedMinimal();
            }
            const int node = Node(imported, !differs);
            Need(")");
            return differs ? Differs(node) : Changed(imported, node);
        }
        // NAME or imported.NAME, read again from its first word.
        --m_at;
        const int node = Node(imported, true);
        return Value(m_record, imported, node);
    }

    const std::vector<std::string>& m_tokens;
    const ReferenceConditionInput& m_input;
    const ReferenceRecordValues& m_record;
    const ReferenceRecordValues* m_previous;
    std::size_t m_at = 0;
    int m_parentheses = 0;
    bool m_bad = false;
};

std::optional<ReferenceValue> Interpret(const std::string& condition,
                                        const ReferenceConditionInput& input, std::size_t index) {
    BuildOrderMatrix();
    std::vector<std::string> tokens;
    if (!Split(condition, tokens))
        return std::nullopt;
    return Interpreter(tokens, input, index).Run();
}

} // namespace

bool ReferenceConditionWellFormed(const std::string& condition) {
    ReferenceConditionInput input;
    input.records.resize(1);
    return Interpret(condition, input, 0).has_value();
}

ReferenceValue ReferenceConditionValue(const std::string& condition,
                                       const ReferenceConditionInput& input, std::size_t index) {
    return Interpret(condition, input, index).value_or(std::nullopt);
}

ReferenceConditionInput ReferenceConditionInputOf(const LatticeDocument& document,
                                                  quib::ValueTransform transform) {
    const auto shown = [transform](const CLatticeRecord& record) {
        ReferenceValues values;
        for (int node = 0; node < 32; ++node) {
            std::int64_t value = 0;
            if (LiteralTransform(transform, record.m_nNodeValue, node, value))
                values[node] = value;
        }
        return values;
    };
    ReferenceConditionInput input;
    input.primaryDimension = document.m_nPrimaryDim;
    input.importedDimension = document.m_nImportedDim;
    input.transformed = transform != quib::ValueTransform::Read;
    for (int i = 0; i < document.m_primaryRecords.GetSize(); ++i) {
        ReferenceRecordValues record;
        record.number = document.m_primaryRecords[i].m_nRecordNumber;
        record.values = shown(document.m_primaryRecords[i]);
        if (const int partner = document.ImportedPartner(i); partner != quib::kNoPartner)
            record.partner = shown(document.m_importedRecords[partner]);
        input.records.push_back(record);
    }
    return input;
}
