// The matches of a condition as the window steps through them: the first
// after a position and the last before it, at and beyond both ends, on the
// values shown.

#include "RecordMatches.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

using namespace quib;

Condition Parsed(const char* text) {
    ParsedCondition parsed = ParseCondition(text);
    EXPECT_TRUE(parsed.condition) << parsed.error.Text();
    return *parsed.condition;
}

TEST(RecordMatches, StepsToTheNearestMatchOnEitherSide) {
    const TempDir dir;
    LatticeDocument document;
    // The empty set's value: 0 5 0 5 5 0, so positions 2, 4 and 5 match.
    ASSERT_FALSE(document.OpenDataFile(
        dir.Write("d.dat", "DIM=32\n(1) 0\n(2) 5\n(3) 0\n(4) 5\n(5) 5\n(6) 0\n")));
    const RecordMatches matches(document, Parsed("{} > 0"), ValueTransform::Read);
    EXPECT_EQ(matches.Count(), 3);
    const std::pair<int, int> afterAndBefore[] = {{2, 0}, {2, 0}, {4, 0}, {4, 2},
                                                  {5, 2}, {0, 4}, {0, 5}, {0, 5}};
    for (int position = 0; position <= 7; ++position) {
        SCOPED_TRACE(position);
        EXPECT_EQ(matches.After(position), afterAndBefore[position].first);
        EXPECT_EQ(matches.Before(position), afterAndBefore[position].second);
    }
    EXPECT_EQ(matches.After(-5), 2);
    EXPECT_EQ(matches.Before(1000), 5);
}

// {} 5 and a 0: a's Möbius inversion is -5.
TEST(RecordMatches, SeeTheValuesShown) {
    const TempDir dir;
    LatticeDocument document;
    ASSERT_FALSE(document.OpenDataFile(dir.Write("d.dat", "DIM=32\n(1) 5\n(2) 5 5\n")));
    EXPECT_EQ(RecordMatches(document, Parsed("a < 0"), ValueTransform::Read).Count(), 0);
    const RecordMatches mobius(document, Parsed("a < 0"), ValueTransform::Mobius);
    EXPECT_EQ(mobius.Count(), 1);
    EXPECT_EQ(mobius.After(0), 1);
    EXPECT_EQ(RecordMatches().After(0), 0);
}

} // namespace
