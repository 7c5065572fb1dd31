// The matches of a condition as the window steps through them: the first
// after a position and the last before it, at and beyond both ends, and
// computed anew for other values or another file.

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
    RecordMatches matches(document);
    matches.SetCondition(Parsed("{} > 0"));
    matches.Update(ValueTransform::Read);
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
TEST(RecordMatches, ComputedAnewForOtherValuesAndAfterTheFileChanged) {
    const TempDir dir;
    LatticeDocument document;
    ASSERT_FALSE(document.OpenDataFile(dir.Write("d.dat", "DIM=32\n(1) 5\n(2) 5 5\n")));
    RecordMatches matches(document);
    matches.Update(ValueTransform::Read);
    EXPECT_FALSE(matches.HasCondition());
    EXPECT_EQ(matches.After(0), 0);
    matches.SetCondition(Parsed("a < 0"));
    matches.Update(ValueTransform::Read);
    EXPECT_EQ(matches.Count(), 0);
    EXPECT_FALSE(matches.IsCurrent(ValueTransform::Mobius));
    matches.Update(ValueTransform::Mobius);
    EXPECT_EQ(matches.Count(), 1);
    EXPECT_EQ(matches.After(0), 1);

    ASSERT_FALSE(document.OpenDataFile(dir.Write("e.dat", "DIM=32\n(1) 0\n(2) 1\n(3) 1 0\n")));
    EXPECT_TRUE(matches.IsCurrent(ValueTransform::Mobius));
    matches.Invalidate();
    EXPECT_FALSE(matches.IsCurrent(ValueTransform::Mobius));
    matches.Update(ValueTransform::Mobius);
    EXPECT_EQ(matches.Count(), 2);
    EXPECT_EQ(matches.Before(3), 2);
}

} // namespace
