#include "ReferenceCondition.h"

#include "LatticeTables.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

constexpr std::int64_t kNoRecord = -32001;
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

class Interpreter {
  public:
    Interpreter(const std::vector<std::string>& tokens, const ReferenceConditionInput& input,
                std::size_t index)
        : m_tokens(tokens), m_input(input), m_record(input.records[index]),
          m_previous(index > 0 ? &input.records[index - 1] : nullptr) {}

    std::optional<std::int64_t> Run() {
        if (m_tokens.empty())
            return std::nullopt;
        const std::int64_t value = Or();
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

    std::int64_t Or() {
        std::int64_t value = And();
        while (!m_bad && (Peek() == "or" || Peek() == "||")) {
            Take();
            const std::int64_t right = And();
            value = value != 0 || right != 0;
        }
        return value;
    }
    std::int64_t And() {
        std::int64_t value = Not();
        while (!m_bad && (Peek() == "and" || Peek() == "&&")) {
            Take();
            const std::int64_t right = Not();
            value = value != 0 && right != 0;
        }
        return value;
    }
    std::int64_t Not() {
        if (Peek() == "not" || Peek() == "!") {
            Take();
            return Not() == 0;
        }
        return Compare();
    }
    std::int64_t Compare() {
        const std::int64_t left = Sum();
        const std::string op = Peek();
        if (op != "=" && op != "==" && op != "!=" && op != "<" && op != "<=" && op != ">" &&
            op != ">=")
            return left;
        Take();
        const std::int64_t right = Sum();
        if (op == "=" || op == "==")
            return left == right;
        if (op == "!=")
            return left != right;
        if (op == "<")
            return left < right;
        if (op == "<=")
            return left <= right;
        if (op == ">")
            return left > right;
        return left >= right;
    }
    std::int64_t Sum() {
        std::int64_t value = Unary();
        while (!m_bad && (Peek() == "+" || Peek() == "-")) {
            const bool plus = Take() == "+";
            const std::uint64_t right = static_cast<std::uint64_t>(Unary());
            value = Wrapped(plus ? static_cast<std::uint64_t>(value) + right
                                 : static_cast<std::uint64_t>(value) - right);
        }
        return value;
    }
    std::int64_t Unary() {
        if (Peek() == "-") {
            Take();
            return Wrapped(std::uint64_t{0} - static_cast<std::uint64_t>(Unary()));
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

    const std::array<std::int64_t, 32>* Values(bool imported) const {
        return imported ? (m_record.partner ? &*m_record.partner : nullptr) : &m_record.values;
    }
    std::int64_t Value(bool imported, int node) const {
        const auto* values = Values(imported);
        return values ? (*values)[node] : kNoRecord;
    }
    bool Compared(int node) const {
        return m_input.transformed || (Carried(m_input.primaryDimension, node) &&
                                       Carried(m_input.importedDimension, node));
    }
    bool Minimal(bool imported, int node) const {
        const auto* values = Values(imported);
        if (values == nullptr || (*values)[node] <= 0)
            return false;
        for (int lower = 0; lower < 32; ++lower)
            if (OrderMatrix[lower][node] == 1 && (*values)[lower] > 0)
                return false;
        return true;
    }
    bool Differs(int node) const {
        return m_record.partner && Compared(node) &&
               m_record.values[node] != (*m_record.partner)[node];
    }
    bool Changed(bool imported, int node) const {
        if (m_previous == nullptr)
            return false;
        if (!imported)
            return m_record.values[node] != m_previous->values[node];
        const std::int64_t before = m_previous->partner ? (*m_previous->partner)[node] : kNoRecord;
        return Value(true, node) != before;
    }

    std::int64_t Atom() {
        const std::string word = Take();
        if (m_bad)
            return 0;
        if (!word.empty() && std::isdigit(static_cast<unsigned char>(word[0]))) {
            const std::size_t first = std::min(word.find_first_not_of('0'), word.size() - 1);
            const std::string digits = word.substr(first);
            if (digits.size() > 10 || (digits.size() == 10 && digits > "2147483648"))
                m_bad = true;
            return m_bad ? 0 : std::stoll(digits);
        }
        if (word == "(") {
            if (++m_parentheses > kParenthesesAllowed)
                m_bad = true;
            const std::int64_t value = m_bad ? 0 : Or();
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
        bool imported = false;
        if (word == "minimal" || word == "missing") {
            Need("(");
            const int node = Node(imported, true);
            Need(")");
            return word == "minimal" ? Minimal(imported, node) : Value(imported, node) < -31999;
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
            const int node = Node(imported, !differs);
            Need(")");
            return differs ? Differs(node) : Changed(imported, node);
        }
        // NAME or imported.NAME, read again from its first word.
        --m_at;
        const int node = Node(imported, true);
        return Value(imported, node);
    }

    const std::vector<std::string>& m_tokens;
    const ReferenceConditionInput& m_input;
    const ReferenceRecordValues& m_record;
    const ReferenceRecordValues* m_previous;
    std::size_t m_at = 0;
    int m_parentheses = 0;
    bool m_bad = false;
};

} // namespace

std::optional<std::int64_t> ReferenceConditionValue(const std::string& condition,
                                                    const ReferenceConditionInput& input,
                                                    std::size_t index) {
    BuildOrderMatrix();
    std::vector<std::string> tokens;
    if (!Split(condition, tokens))
        return std::nullopt;
    return Interpreter(tokens, input, index).Run();
}

ReferenceConditionInput ReferenceConditionInputOf(const LatticeDocument& document,
                                                  quib::ValueTransform transform) {
    ReferenceConditionInput input;
    input.primaryDimension = document.m_nPrimaryDim;
    input.importedDimension = document.m_nImportedDim;
    input.transformed = transform != quib::ValueTransform::Read;
    for (int i = 0; i < document.m_primaryRecords.GetSize(); ++i) {
        ReferenceRecordValues record;
        record.number = document.m_primaryRecords[i].m_nRecordNumber;
        quib::TransformValues(transform, document.m_primaryRecords[i].m_nNodeValue,
                              record.values.data());
        if (const int partner = document.ImportedPartner(i); partner != quib::kNoPartner) {
            record.partner.emplace();
            quib::TransformValues(transform, document.m_importedRecords[partner].m_nNodeValue,
                                  record.partner->data());
        }
        input.records.push_back(record);
    }
    return input;
}
