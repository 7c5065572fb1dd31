#include "LatticeTables.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// The letters of a label as a set of variables ("{}" is the empty set).
std::set<char> Variables(int node) {
    const std::string label = NodeTable[node].label;
    return label == "{}" ? std::set<char>{} : std::set<char>(label.begin(), label.end());
}

class Lattice : public ::testing::Test {
  protected:
    void SetUp() override { BuildOrderMatrix(); }
};

TEST_F(Lattice, NodesAreNumberedByLevelThenAlphabetically) {
    for (int n = 0; n < quib::kNodeCount; ++n) {
        EXPECT_EQ(NodeTable[n].level, static_cast<int>(Variables(n).size())) << n;
        if (n > 0 && NodeTable[n].level == NodeTable[n - 1].level) {
            EXPECT_LT(std::string(NodeTable[n - 1].label), std::string(NodeTable[n].label));
            const int step = NodeTable[n].level == 1 || NodeTable[n].level == 4 ? 4 : 2;
            EXPECT_EQ(NodeTable[n].gridX - NodeTable[n - 1].gridX, step) << n;
        }
    }
    // Every level is centred on grid x = -1.
    EXPECT_EQ(NodeTable[0].gridX, -1);
    EXPECT_EQ(NodeTable[31].gridX, -1);
    EXPECT_EQ(NodeTable[6].gridX, -10);
    EXPECT_EQ(NodeTable[25].gridX, 8);
}

TEST_F(Lattice, EdgeTableHoldsEveryCoveringPairOnceInOrder) {
    std::vector<std::pair<int, int>> expected;
    for (int lower = 0; lower < quib::kNodeCount; ++lower) {
        for (int upper = 0; upper < quib::kNodeCount; ++upper) {
            std::set<char> grown = Variables(lower);
            const std::set<char> target = Variables(upper);
            if (target.size() != grown.size() + 1)
                continue;
            grown.insert(target.begin(), target.end());
            if (grown == target)
                expected.emplace_back(lower, upper);
        }
    }
    ASSERT_EQ(expected.size(), static_cast<std::size_t>(quib::kEdgeCount));
    for (int k = 0; k < quib::kEdgeCount; ++k) {
        EXPECT_EQ(EdgeTable[k].lower, expected[k].first) << k;
        EXPECT_EQ(EdgeTable[k].upper, expected[k].second) << k;
    }
    EXPECT_EQ(EdgeTable[quib::kEdgeCount].lower, -1);
    EXPECT_EQ(EdgeTable[quib::kEdgeCount].upper, -1);
}

TEST_F(Lattice, OrderMatrixHoldsTheEightyPairsOnly) {
    BuildOrderMatrix(); // a second build gives the same content
    int ones = 0;
    for (int i = 0; i < quib::kNodeCount; ++i) {
        for (int j = 0; j < quib::kNodeCount; ++j) {
            ones += OrderMatrix[i][j];
            if (j <= i) {
                EXPECT_EQ(OrderMatrix[i][j], 0);
            }
        }
    }
    EXPECT_EQ(ones, quib::kEdgeCount);
    EXPECT_EQ(OrderMatrix[0][31], 0);
    EXPECT_EQ(OrderMatrix[3][14], 1);
    int below31 = 0;
    for (int i = 0; i < quib::kNodeCount; ++i)
        below31 += OrderMatrix[i][31] + OrderMatrix[31][i];
    EXPECT_EQ(below31, 5);
}

struct MinimalCase {
    const char* name;
    std::vector<std::pair<int, int>> values; // node, value; all others 0
    std::vector<int> minimal;                // expected minimal nodes
    int others = 0;                          // value of the nodes not listed
};

void PrintTo(const MinimalCase& c, std::ostream* out) {
    *out << c.name;
}

class MinimalNodes : public Lattice, public ::testing::WithParamInterface<MinimalCase> {};

TEST_P(MinimalNodes, FollowTheDirectLowerNeighboursOnly) {
    const MinimalCase& c = GetParam();
    int values[quib::kNodeCount];
    for (int& v : values)
        v = c.others;
    for (const auto& [node, value] : c.values)
        values[node] = value;
    std::vector<int> minimal;
    for (int n = 0; n < quib::kNodeCount; ++n) {
        if (quib::IsMinimalNodeOf(values, n))
            minimal.push_back(n);
    }
    EXPECT_EQ(minimal, c.minimal);
    EXPECT_FALSE(quib::IsMinimalNodeOf(values, -1));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MinimalNodes,
    ::testing::Values(MinimalCase{"EmptySetAlone", {{0, 3}}, {0}},
                      MinimalCase{"AllPositive", {}, {0}, 1},
                      MinimalCase{"EmptySetZeroRestOne", {{0, 0}}, {1, 2, 3, 4, 5}, 1},
                      MinimalCase{"CBelowCE", {{3, 1}, {14, 1}}, {3}},
                      MinimalCase{"CNotBelowDE", {{3, 1}, {15, 1}}, {3, 15}},
                      MinimalCase{"ABEBelowABDE", {{18, 1}, {28, 1}}, {18}},
                      MinimalCase{"ACEBelowACDE", {{20, 1}, {29, 1}}, {20}},
                      MinimalCase{"ACENotBelowABDE", {{20, 1}, {28, 1}}, {20, 28}},
                      MinimalCase{"TwoLevelsDoNotCount", {{1, 1}, {16, 5}}, {1, 16}},
                      MinimalCase{
                          "MissingValueIsNotPositive", {{0, -32001}, {1, -32001}, {6, 4}}, {6}},
                      MinimalCase{"NegativeNeighbour", {{3, -7}, {14, 2}}, {14}},
                      MinimalCase{"NothingPositive", {}, {}, -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LatticeLabels, DisplayLabelsAreLowerCase) {
    for (int n = 0; n < quib::kNodeCount; ++n) {
        std::string lower = NodeTable[n].label;
        for (char& c : lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(quib::DisplayLabel(n), lower);
    }
    EXPECT_STREQ(quib::DisplayLabel(0), "{}");
    EXPECT_STREQ(quib::DisplayLabel(31), "abcde");
}

} // namespace
