// What conditions make of missing values, of integers up to 2^63 - 1, and
// of the lattice's own tests, `monotone` and `changed(minimal)`: small files
// scanned as --find and the find bar scan them.

#include "ConditionScan.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using namespace quib;

constexpr int kAb = 6, kAbcde = 31;

// A record line of dimension 32: the values of `nodes`, `others` elsewhere.
std::string Line(int number, const std::map<int, int>& nodes, int others = 0) {
    std::string line = "(" + std::to_string(number) + ")";
    for (int n = 0; n < kNodeCount; ++n)
        line += " " + std::to_string(nodes.count(n) != 0 ? nodes.at(n) : others);
    return line + "\n";
}

class ConditionValues : public ::testing::Test {
  protected:
    void Open(const std::string& primary, const std::string& imported = {}) {
        ASSERT_FALSE(m_document.OpenDataFile(m_dir.Write("p.dat", primary)));
        if (!imported.empty()) {
            ASSERT_FALSE(m_document.ImportDataFile(m_dir.Write("i.dat", imported)));
        }
    }

    std::vector<int> Found(const char* text, ValueTransform values = ValueTransform::Read) {
        const ParsedCondition parsed = ParseCondition(text);
        std::vector<int> positions;
        if (parsed.condition)
            ConditionScan(m_document, values).MatchingPositions(*parsed.condition, positions);
        else
            ADD_FAILURE() << text << ": " << parsed.error.Text();
        return positions;
    }

    TempDir m_dir;
    LatticeDocument m_document;
};

using Positions = std::vector<int>;

// ab: 5, "/", "/", 7 against 5, "/", no partner, 7; abcde 100, 100, 100, 0
// against 50, "/", no partner, 0.
TEST_F(ConditionValues, AMissingValueIsUnknownNeverItsNumber) {
    Open("DIM=32\n" + Line(1, {{kAb, 5}, {kAbcde, 100}}) + Line(2, {{kAb, -32000}, {kAbcde, 100}}) +
             Line(3, {{kAb, -32001}, {kAbcde, 100}}) + Line(4, {{kAb, 7}}),
         "DIM=32\n" + Line(1, {{kAb, 5}, {kAbcde, 50}}) +
             Line(2, {{kAb, -32001}, {kAbcde, -32001}}) + Line(4, {{kAb, 7}}));
    const std::pair<const char*, Positions> cases[] = {
        // Sums and negations of a missing value are missing, and compare as 0.
        {"abcde - imported.abcde > 10", {1}},
        {"-imported.ab > 0", {}},
        {"ab = ab", {1, 4}},
        {"ab < 0 or ab >= 0", {1, 4}},
        // `!=` too: what differs(ab) says.
        {"ab != imported.ab", {}},
        {"differs(ab)", {}},
        {"differs(abcde)", {1, 2}},
        {"differs", {1, 2}},
        // and, or, not and the match take a missing value as 0.
        {"imported.abcde - 50", {4}},
        {"imported.abcde - 50 or 0", {4}},
        {"not (imported.abcde - 50)", {1, 2, 3}},
        {"1 and imported.abcde", {1}},
        {"missing(imported.ab)", {2, 3}},
        {"missing(ab) and missing(abcde) = 0", {2, 3}},
        // -32000 then -32001: both "/", no change; no partner after a
        // missing value: none either.
        {"changed(ab)", {2, 4}},
        {"changed(imported.ab)", {2, 4}},
        {"changed", {2, 4}},
    };
    for (const auto& [text, positions] : cases)
        EXPECT_EQ(Found(text), positions) << text;
}

// Under a transform a value is missing where a missing value entered its
// sum, never because the sum of present ones falls below -31999.
TEST_F(ConditionValues, MissingUnderATransformIsASumAMissingValueEntered) {
    Open("DIM=32\n" + Line(1, {{0, -20000}, {1, -20000}}) + Line(2, {{0, -32001}, {1, 3}}));
    EXPECT_EQ(Found("missing(a)", ValueTransform::Subsets), Positions({2}));
    EXPECT_EQ(Found("a < -39999", ValueTransform::Subsets), Positions({1}));
    EXPECT_EQ(Found("missing(abcde)", ValueTransform::Supersets), Positions({}));
    EXPECT_EQ(Found("missing({})", ValueTransform::Supersets), Positions({2}));
    EXPECT_EQ(Found("missing(a) or a < 0"), Positions({1}));
}

TEST_F(ConditionValues, IntegersReach2To63AndSumsWrap) {
    Open("DIM=32\n" + Line(1, {{kAb, 2147483647}}) + Line(2, {{kAb, -7}}));
    EXPECT_EQ(Found("ab > 3000000000"), Positions({}));
    EXPECT_EQ(Found("ab + ab + ab > 3000000000"), Positions({1}));
    EXPECT_EQ(Found("9223372036854775807 + 1 < 0"), Positions({1, 2}));
    EXPECT_EQ(Found("-9223372036854775807 - 2 = 9223372036854775807"), Positions({1, 2}));
    EXPECT_EQ(Found("9223372036854775807 - ab > 0"), Positions({1}));
    EXPECT_EQ(Found("ab - 9223372036854775807 - 9223372036854775807 = ab + 2"), Positions({1, 2}));
}

// 1: all 0. 2: {} 1. 3: {} 1, a 2. 4 and 5: {} "/", a 2, the rest 3.
TEST_F(ConditionValues, MonotoneAndChangedMinimalFollowTheDiagram) {
    Open("DIM=32\n" + Line(1, {}) + Line(2, {{0, 1}}) + Line(3, {{0, 1}, {1, 2}}) +
         Line(4, {{0, -32001}, {1, 2}}, 3) + Line(5, {{0, -32001}, {1, 2}}, 3));
    // A line between {} and a falls in 2 and 3, one between a and ab in 3;
    // the missing {} compares with nothing.
    EXPECT_EQ(Found("monotone"), Positions({1, 4, 5}));
    // Minimal: none, {}, {}, a to e, a to e.
    EXPECT_EQ(Found("changed(minimal)"), Positions({2, 4}));
    EXPECT_EQ(Found("changed"), Positions({2, 3, 4}));
    // The values shown: sums over subsets of values not below 0 never fall,
    // the Möbius inversion of 2 and 3 does; where {}'s missing value enters
    // every sum, nothing is left to compare.
    EXPECT_EQ(Found("monotone", ValueTransform::Subsets), Positions({1, 2, 3, 4, 5}));
    EXPECT_EQ(Found("monotone", ValueTransform::Mobius), Positions({1, 4, 5}));
}

// The nodes that a dimension-26 file does not give read 0 but hold no value
// as read; with a transform every node has one.
TEST_F(ConditionValues, MonotoneComparesTheNodesTheFileGivesAsRead) {
    std::string line = "(1)";
    for (int n = 0; n < 26; ++n)
        line += " -5";
    Open("DIM=26\n" + line + "\n");
    EXPECT_EQ(Found("monotone"), Positions({1}));
    EXPECT_EQ(Found("monotone", ValueTransform::Subsets), Positions({}));
}

} // namespace
