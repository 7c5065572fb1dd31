// Random conditions, written from the grammar (and some of them broken), on
// random documents: the condition library against the plain interpreter of
// the support folder, record by record and over the whole file.

#include "Condition.h"
#include "ConditionScan.h"
#include "LatticeDocument.h"
#include "LatticeTables.h"
#include "ReferenceCondition.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace quib;

class Dice {
  public:
    explicit Dice(unsigned seed) : m_random(seed) {}
    int Below(int n) { return static_cast<int>(m_random() % static_cast<unsigned>(n)); }
    bool OneIn(int n) { return Below(n) == 0; }
    template <class T, std::size_t N> const T& Pick(const T (&items)[N]) { return items[Below(N)]; }

  private:
    std::mt19937 m_random;
};

// ---- documents ----

// Small values that meet each other often, the limits of 32 bits, values
// drawn "/", and values whose sums fall below -31999 without being missing.
std::int32_t RandomValue(Dice& dice) {
    constexpr std::int32_t kSpecial[] = {INT_MAX, INT_MIN, -32000, -32001, -31999,
                                         31999,   0,       -20000, -20000};
    return dice.OneIn(5) ? dice.Pick(kSpecial) : dice.Below(6) - 2;
}

// Rising along the diagram's lines, now and then with a missing value: what
// `monotone` looks for.
std::int32_t RisingValue(Dice& dice, int node) {
    return dice.OneIn(40) ? -32001 : NodeTable[node].level * 2 + dice.Below(2);
}

// Like the record before it, some nodes changed, all new, or rising.
void FillRecords(Dice& dice, CLatticeRecordArray& records, int count, int dimension,
                 const CLatticeRecordArray* like) {
    for (int i = 0; i < count; ++i) {
        CLatticeRecord record;
        const CLatticeRecord* model = like != nullptr && i < like->GetSize() ? &(*like)[i]
                                      : i > 0                                ? &records[i - 1]
                                                                             : nullptr;
        const int kind = dice.Below(4);
        for (int n = 0; n < kNodeCount; ++n) {
            const bool keep = model != nullptr && (kind == 0 || (kind == 1 && !dice.OneIn(8)));
            record.m_nNodeValue[n] = keep        ? model->m_nNodeValue[n]
                                     : kind == 3 ? RisingValue(dice, n)
                                                 : RandomValue(dice);
            // The reader leaves the nodes that the dimension does not give at 0.
            if (n < kNodeCount - dimension)
                record.m_nNodeValue[n] = 0;
        }
        record.m_nRecordNumber = dice.OneIn(6) ? dice.Below(4) : i + 1;
        records.Add(record);
    }
}

void RandomDocument(Dice& dice, LatticeDocument& document) {
    document.m_nPrimaryDim = dice.OneIn(2) ? 26 : 32;
    FillRecords(dice, document.m_primaryRecords, 1 + dice.Below(12), document.m_nPrimaryDim,
                nullptr);
    constexpr int kImported[] = {-1, 26, 32, 32};
    document.m_nImportedDim = dice.Pick(kImported);
    if (document.m_nImportedDim > 0)
        FillRecords(dice, document.m_importedRecords, dice.Below(12), document.m_nImportedDim,
                    &document.m_primaryRecords);
    ASSERT_TRUE(document.AlignImportedRecords());
}

// ---- conditions ----

class ConditionWriter {
  public:
    explicit ConditionWriter(Dice& dice) : m_dice(dice) {}

    std::vector<std::string> Condition(int budget) {
        m_tokens.clear();
        m_budget = budget;
        Or(0);
        return m_tokens;
    }

  private:
    void Put(std::string token) { m_tokens.push_back(std::move(token)); }
    bool Grow() { return m_budget-- > 0 && !m_dice.OneIn(3); }

    // A subset in letters of any order and case, or {}.
    std::string Name() {
        const int node = m_dice.Below(kNodeCount);
        std::string letters;
        for (int v = 0; v < 5; ++v)
            if (VariablesOf(node) >> v & 1)
                letters += static_cast<char>((m_dice.OneIn(3) ? 'A' : 'a') + v);
        std::shuffle(letters.begin(), letters.end(), std::mt19937(m_dice.Below(1000)));
        return letters.empty() ? "{}" : letters;
    }
    void Node(bool importedAllowed = true) {
        if (importedAllowed && m_dice.OneIn(2)) {
            Put("imported");
            Put(".");
        }
        Put(Name());
    }
    void Or(int depth) { Chain(depth, {"or", "||"}, &ConditionWriter::And); }
    void And(int depth) { Chain(depth, {"and", "&&"}, &ConditionWriter::Not); }
    void Chain(int depth, std::pair<const char*, const char*> words,
               void (ConditionWriter::*operand)(int)) {
        (this->*operand)(depth);
        while (Grow()) {
            Put(m_dice.OneIn(2) ? words.first : words.second);
            (this->*operand)(depth);
        }
    }
    void Not(int depth) {
        while (m_dice.OneIn(5))
            Put(m_dice.OneIn(2) ? "not" : "!");
        Compare(depth);
    }
    void Compare(int depth) {
        constexpr const char* kComparisons[] = {"=", "==", "!=", "<", "<=", ">", ">="};
        Sum(depth);
        if (Grow()) {
            Put(m_dice.Pick(kComparisons));
            Sum(depth);
        }
    }
    void Sum(int depth) {
        Unary(depth);
        while (Grow() && m_dice.OneIn(2)) {
            Put(m_dice.OneIn(2) ? "+" : "-");
            Unary(depth);
        }
    }
    void Unary(int depth) {
        while (m_dice.OneIn(6))
            Put("-");
        Atom(depth);
    }
    void Atom(int depth) {
        constexpr const char* kIntegers[] = {"0",          "1",          "2",
                                             "3",          "31999",      "32001",
                                             "2147483647", "3000000000", "9223372036854775807"};
        constexpr const char* kWords[] = {"number",  "position", "partner",
                                          "differs", "changed",  "monotone"};
        switch (m_dice.Below(depth < 4 && m_budget > 0 ? 9 : 8)) {
        case 0:
            Put(m_dice.Pick(kIntegers));
            break;
        case 1:
        case 2:
            Node();
            break;
        case 3:
            Put(m_dice.Pick(kWords));
            break;
        case 4:
        case 5:
            Put(m_dice.OneIn(2) ? "minimal" : "missing");
            Put("(");
            Node();
            Put(")");
            break;
        case 6:
        case 7: {
            const bool differs = m_dice.OneIn(2);
            Put(differs ? "differs" : "changed");
            Put("(");
            if (!differs && m_dice.OneIn(4))
                Put("minimal");
            else
                Node(!differs);
            Put(")");
            break;
        }
        default:
            Put("(");
            Or(depth + 1);
            Put(")");
        }
    }

    Dice& m_dice;
    std::vector<std::string> m_tokens;
    int m_budget = 0;
};

// A well-formed condition with a token dropped, repeated, swapped or put in.
void Break(Dice& dice, std::vector<std::string>& tokens) {
    constexpr const char* kStrays[] = {"(",
                                       ")",
                                       "|",
                                       "&",
                                       "#",
                                       "{",
                                       "aab",
                                       "abf",
                                       "AND",
                                       "Minimal",
                                       "9223372036854775808",
                                       "imported",
                                       "differs(",
                                       "monotone",
                                       ".",
                                       "=",
                                       "!",
                                       "-",
                                       "{ }"};
    const std::size_t at = dice.Below(static_cast<int>(tokens.size()));
    switch (dice.Below(4)) {
    case 0:
        tokens.erase(tokens.begin() + at);
        break;
    case 1:
        tokens.insert(tokens.begin() + at, tokens[at]);
        break;
    case 2:
        std::swap(tokens[at], tokens[dice.Below(static_cast<int>(tokens.size()))]);
        break;
    default:
        tokens.insert(tokens.begin() + at, dice.Pick(kStrays));
    }
}

bool IsWordPart(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// The tokens with blanks between them: some, none, or the one needed to keep
// two words apart.
std::string Join(Dice& dice, const std::vector<std::string>& tokens) {
    constexpr const char* kBlanks[] = {"", "", " ", " ", "  ", "\t", "\n"};
    std::string text = dice.OneIn(4) ? " " : "";
    for (const std::string& token : tokens) {
        const char* blank = dice.Pick(kBlanks);
        if (*blank == '\0' && !text.empty() && !token.empty() && IsWordPart(text.back()) &&
            IsWordPart(token.front()))
            blank = " ";
        text += blank + token;
    }
    return text;
}

// ---- the comparison ----

std::string Describe(const LatticeDocument& document, ValueTransform transform) {
    std::string text = "transform " + std::to_string(int(transform)) + ", dimensions " +
                       std::to_string(document.m_nPrimaryDim) + "/" +
                       std::to_string(document.m_nImportedDim);
    for (int i = 0; i < document.m_primaryRecords.GetSize(); ++i) {
        text += "\n(" + std::to_string(document.m_primaryRecords[i].m_nRecordNumber) + ")";
        for (int n = 0; n < kNodeCount; ++n)
            text += " " + std::to_string(document.m_primaryRecords[i].m_nNodeValue[n]);
        const int partner = document.ImportedPartner(i);
        text += partner == quib::kNoPartner ? " | none" : " | partner " + std::to_string(partner);
    }
    return text;
}

// A record's values as the library takes them: numbers, and the nodes
// whose values are missing.
struct Arrays {
    std::int64_t values[kNodeCount];
    NodeMask missing = 0;
};

Arrays ArraysOf(const ReferenceValues& values) {
    Arrays arrays;
    for (int n = 0; n < kNodeCount; ++n) {
        arrays.values[n] = values[n].value_or(NO_RECORD_VALUE);
        arrays.missing |= NodeMask{!values[n].has_value()} << n;
    }
    return arrays;
}

// Matches, record values, and the steps from every position, as the
// reference has them; `matches` counts the records that match.
void Compare(const std::string& text, const Condition& condition, const LatticeDocument& document,
             ValueTransform transform, int& matches) {
    const ReferenceConditionInput input = ReferenceConditionInputOf(document, transform);
    const bool transformed = transform != ValueTransform::Read;
    const NodeMask compared =
        ComparedNodes(document.m_nPrimaryDim, document.m_nImportedDim, transformed);
    std::vector<Arrays> values, partners;
    for (const ReferenceRecordValues& record : input.records) {
        values.push_back(ArraysOf(record.values));
        partners.push_back(record.partner ? ArraysOf(*record.partner) : Arrays{});
    }
    std::vector<int> expected;
    for (std::size_t k = 0; k < input.records.size(); ++k) {
        const ReferenceValue value = ReferenceConditionValue(text, input, k);
        RecordContext context;
        context.position = static_cast<std::int64_t>(k) + 1;
        context.number = input.records[k].number;
        context.values = values[k].values;
        context.missing = values[k].missing;
        context.partner = input.records[k].partner ? partners[k].values : nullptr;
        context.partnerMissing = partners[k].missing;
        if (k > 0) {
            context.previous = values[k - 1].values;
            context.previousMissing = values[k - 1].missing;
            context.previousPartner =
                input.records[k - 1].partner ? partners[k - 1].values : nullptr;
            context.previousPartnerMissing = partners[k - 1].missing;
        }
        context.compared = compared;
        context.carried = transformed ? kAllNodes : CarriedNodes(document.m_nPrimaryDim);
        ASSERT_EQ(condition.Evaluate(context), value)
            << "'" << text << "' at position " << k + 1 << "\n"
            << Describe(document, transform);
        if (value.value_or(0) != 0)
            expected.push_back(static_cast<int>(k) + 1);
    }
    matches += static_cast<int>(expected.size());
    ConditionScan scan(document, transform);
    std::vector<int> matched = {-1};
    scan.MatchingPositions(condition, matched);
    ASSERT_EQ(matched, expected) << "'" << text << "'\n" << Describe(document, transform);
    ASSERT_EQ(scan.CountMatches(condition), static_cast<int>(expected.size()));
    const int count = document.m_primaryRecords.GetSize();
    for (int from = 0; from <= count + 1; ++from) {
        int next = 0, previous = 0;
        for (int p : expected) {
            next = next == 0 && p > from ? p : next;
            previous = p < from ? p : previous;
        }
        ASSERT_EQ(scan.NextMatch(condition, from), next) << "'" << text << "' from " << from;
        ASSERT_EQ(scan.PreviousMatch(condition, from), previous)
            << "'" << text << "' from " << from;
        ASSERT_EQ(scan.MatchesAt(condition, from),
                  std::find(expected.begin(), expected.end(), from) != expected.end());
    }
}

TEST(ConditionDifferential, AgreesWithThePlainInterpreter) {
    Dice dice(2024);
    int wellFormed = 0, malformed = 0, records = 0, matches = 0;
    for (int trial = 0; trial < 400; ++trial) {
        LatticeDocument document;
        RandomDocument(dice, document);
        ConditionWriter writer(dice);
        for (int c = 0; c < 30; ++c) {
            const ValueTransform transform = static_cast<ValueTransform>(dice.Below(4));
            std::vector<std::string> tokens = writer.Condition(dice.Below(12));
            const bool broken = dice.OneIn(4);
            if (broken)
                Break(dice, tokens);
            const std::string text = Join(dice, tokens);
            const ParsedCondition parsed = ParseCondition(text);
            ASSERT_EQ(parsed.condition.has_value(), ReferenceConditionWellFormed(text))
                << "'" << text << "': " << parsed.error.Text();
            if (!parsed.condition) {
                ASSERT_GE(parsed.error.column, 1u) << text;
                ASSERT_LE(parsed.error.column, text.size() + 1) << text;
                ASSERT_FALSE(parsed.error.message.empty()) << text;
                ++malformed;
                continue;
            }
            ++wellFormed;
            const bool importedRun = std::any_of(tokens.begin(), tokens.end(), [](auto& token) {
                return token == "imported" || token == "differs" || token == "partner";
            });
            ASSERT_EQ(parsed.condition->ReadsImportedRun(), importedRun) << text;
            Compare(text, *parsed.condition, document, transform, matches);
            if (HasFailure())
                return;
            records += document.m_primaryRecords.GetSize();
        }
    }
    // The conditions must be of all kinds to prove anything.
    EXPECT_GT(wellFormed, 8000);
    EXPECT_GT(malformed, 1000);
    EXPECT_GT(matches, records / 10);
    EXPECT_LT(matches, records * 9 / 10);
}

} // namespace
