// The lattice's sets of nodes and the values read over it, against literal
// sums over subsets and the highlight's own rule.

#include "DataFileReader.h"
#include "LatticeTables.h"
#include "LiteralTransform.h"
#include "NodeSets.h"
#include "TempDir.h"
#include "ValueTransform.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>

namespace {

using namespace quib;

using Read = std::int32_t[kNodeCount];
using Shown = std::int64_t[kNodeCount];

// Values as files hold them: small, zero, at the limits of 32 bits, and
// now and then missing.
void RandomRecord(std::mt19937& random, Read read) {
    const std::int32_t special[] = {0, 0, 1, -1, INT_MAX, INT_MIN, -32000, NO_RECORD_VALUE};
    for (int n = 0; n < kNodeCount; ++n)
        read[n] = random() % 4 == 0 ? special[random() % 8] : std::int32_t(random() % 2001) - 1000;
}

// The transform as its definition reads, one subset at a time.
std::int64_t LiteralSum(ValueTransform transform, const Read read, int node) {
    std::int64_t sum;
    return LiteralTransform(transform, read, node, sum) ? sum : NO_RECORD_VALUE;
}

TEST(NodeSets, SubsetsOrderAndNeighboursAreTheTables) {
    BuildOrderMatrix();
    for (int n = 0; n < kNodeCount; ++n) {
        std::string letters;
        for (int v = 0; v < 5; ++v)
            if (VariablesOf(n) & (1u << v))
                letters += char('A' + v);
        EXPECT_EQ(letters.empty() ? "{}" : letters, NodeTable[n].label);
        EXPECT_EQ(NodeOf(VariablesOf(n)), n);
        for (int lower = 0; lower < kNodeCount; ++lower)
            EXPECT_EQ((LowerNeighbours(n) >> lower) & 1, NodeMask(OrderMatrix[lower][n])) << n;
    }
}

// The rule as the tables state it: positive, and nothing positive at a node
// that OrderMatrix puts directly below.
TEST(NodeSets, MinimalNodesFollowTheHighlightRule) {
    BuildOrderMatrix();
    std::mt19937 random(7);
    for (int trial = 0; trial < 2000; ++trial) {
        Read read;
        RandomRecord(random, read);
        Shown shown;
        TransformValues(ValueTransform::Read, read, shown);
        const NodeMask minimal = quib::MinimalNodes(shown);
        for (int n = 0; n < kNodeCount; ++n) {
            bool literal = read[n] > 0;
            for (int lower = 0; lower < kNodeCount; ++lower)
                literal = literal && !(OrderMatrix[lower][n] == 1 && read[lower] > 0);
            ASSERT_EQ((minimal >> n) & 1, NodeMask(literal)) << trial << " " << n;
            ASSERT_EQ(IsMinimalNodeOf(read, n), literal) << trial << " " << n;
        }
    }
}

TEST(NodeSets, CarriedNodesAreThoseTheReaderFills) {
    TempDir dir;
    std::string ones;
    for (int k = 0; k < 40; ++k)
        ones += " 1";
    for (const int dimension : {-1, 0, 1, 5, 26, 31, 32, 40}) {
        SCOPED_TRACE(dimension);
        int dim = -1;
        CLatticeRecordArray records;
        ASSERT_FALSE(
            quib::ReadLatticeFile(dir.Write("f.dat", "DIM=" + std::to_string(dimension) + "\n(1)" +
                                                         ones + "\n(2)" + ones + "\n"),
                                  dim, records, {}));
        const CLatticeRecord none;
        const CLatticeRecord& record = records.GetSize() > 0 ? records[0] : none;
        for (int n = 0; n < kNodeCount; ++n)
            EXPECT_EQ((CarriedNodes(dim) >> n) & 1, NodeMask(record.m_nNodeValue[n] == 1)) << n;
    }
}

TEST(ValueTransforms, EqualLiteralSumsAndMissingValuesSpread) {
    std::mt19937 random(11);
    for (int trial = 0; trial < 3000; ++trial) {
        Read read;
        RandomRecord(random, read);
        for (const ValueTransform transform :
             {ValueTransform::Mobius, ValueTransform::Subsets, ValueTransform::Supersets}) {
            Shown shown;
            TransformValues(transform, read, shown);
            for (int n = 0; n < kNodeCount; ++n)
                ASSERT_EQ(shown[n], LiteralSum(transform, read, n))
                    << trial << " transform " << int(transform) << " node " << n;
        }
    }
}

TEST(ValueTransforms, MobiusAndSubsetSumsUndoEachOther) {
    std::mt19937 random(13);
    for (int trial = 0; trial < 1000; ++trial) {
        Read read;
        for (int& value : read)
            value = std::int32_t(random() % 61) - 30;
        Shown mobius, back;
        TransformValues(ValueTransform::Mobius, read, mobius);
        // Small values, so that the inversion fits the reader's 32 bits again.
        Read inverted;
        for (int n = 0; n < kNodeCount; ++n)
            inverted[n] = std::int32_t(mobius[n]);
        TransformValues(ValueTransform::Subsets, inverted, back);
        for (int n = 0; n < kNodeCount; ++n)
            ASSERT_EQ(back[n], read[n]) << trial << " " << n;
    }
}

TEST(ValueTransforms, AllNodesAtTheLimitSumWithoutOverflow) {
    Read read;
    for (std::int32_t& value : read)
        value = INT_MAX;
    Shown shown;
    TransformValues(ValueTransform::Subsets, read, shown);
    EXPECT_EQ(shown[31], std::int64_t{INT_MAX} * 32);
    TransformValues(ValueTransform::Supersets, read, shown);
    EXPECT_EQ(shown[0], std::int64_t{INT_MAX} * 32);
    // Equal values leave nothing for any set but the empty one to explain.
    TransformValues(ValueTransform::Mobius, read, shown);
    EXPECT_EQ(shown[0], INT_MAX);
    for (int n = 1; n < kNodeCount; ++n)
        EXPECT_EQ(shown[n], 0) << n;
}

} // namespace
