#include "ImportAlignment.h"
#include "LiteralAlignment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

void Fill(CLatticeRecordArray& records, const std::vector<int>& numbers, int tag) {
    for (std::size_t k = 0; k < numbers.size(); ++k) {
        CLatticeRecord record;
        record.m_nRecordNumber = numbers[k];
        // Tell apart records with equal numbers by where they came from.
        record.m_nNodeValue[0] = tag;
        record.m_nNodeValue[1] = static_cast<int>(k);
        records.Add(record);
    }
}

std::vector<int> Numbers(const CLatticeRecordArray& records) {
    std::vector<int> numbers;
    for (int k = 0; k < records.GetSize(); ++k)
        numbers.push_back(records[k].m_nRecordNumber);
    return numbers;
}

// Imported numbers after the indexed pass; also checks the literal pass
// moves every record, not only every number, the same way.
std::vector<int> Align(const std::vector<int>& primaryNumbers,
                       const std::vector<std::vector<int>>& imports) {
    CLatticeRecordArray primary, indexed, literal;
    Fill(primary, primaryNumbers, 0);
    int tag = 1;
    for (const std::vector<int>& numbers : imports) {
        Fill(indexed, numbers, tag);
        Fill(literal, numbers, tag);
        ++tag;
        AlignRecordsByNumber(primary, indexed);
        LiteralAlignment(primary, literal);
    }
    EXPECT_EQ(indexed.GetSize(), literal.GetSize());
    for (int k = 0; k < indexed.GetSize() && k < literal.GetSize(); ++k) {
        EXPECT_EQ(indexed[k].m_nRecordNumber, literal[k].m_nRecordNumber) << k;
        EXPECT_EQ(indexed[k].m_nNodeValue[0], literal[k].m_nNodeValue[0]) << k;
        EXPECT_EQ(indexed[k].m_nNodeValue[1], literal[k].m_nNodeValue[1]) << k;
    }
    return Numbers(indexed);
}

using V = std::vector<int>;

TEST(Alignment, KnownCases) {
    EXPECT_EQ(Align({1, 2, 3}, {{3, 1, 2}}), (V{1, 2, 3}));
    // Record 1 has no partner, so position 0 keeps record 2 for good.
    EXPECT_EQ(Align({1, 2, 3}, {{2, 3}}), (V{2, 3}));
    EXPECT_EQ(Align({5, 5}, {{5, 5}}), (V{5, 5}));
    EXPECT_EQ(Align({5, 5}, {{5}}), (V{5}));
    // Surplus imported records stay behind the primary ones.
    EXPECT_EQ(Align({2, 1}, {{1, 9, 2, 8}}), (V{2, 1, 9, 8}));
    EXPECT_EQ(Align({}, {{3, 1}}), (V{3, 1}));
    EXPECT_EQ(Align({1, 2}, {{}}), V{});
}

TEST(Alignment, RepeatedImportsAppendThenAlign) {
    // Two files that together hold every primary number once.
    EXPECT_EQ(Align({1, 2, 3, 4}, {{4, 2}, {3, 1}}), (V{1, 2, 3, 4}));
    // The same file twice: the first copies pair up, the second stay behind.
    CLatticeRecordArray primary, imported;
    Fill(primary, {3, 1, 2}, 0);
    Fill(imported, {1, 2, 3}, 1);
    AlignRecordsByNumber(primary, imported);
    Fill(imported, {1, 2, 3}, 2);
    AlignRecordsByNumber(primary, imported);
    ASSERT_EQ(Numbers(imported), (V{3, 1, 2, 1, 2, 3}));
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(imported[k].m_nNodeValue[0], k < 3 ? 1 : 2) << k;
}

TEST(Alignment, AgreesWithTheLiteralPassOnRandomCases) {
    std::mt19937 random(20261208);
    for (int round = 0; round < 400; ++round) {
        const int range = 1 + static_cast<int>(random() % 12);
        const auto numbers = [&](int count) {
            V out;
            for (int k = 0; k < count; ++k)
                out.push_back(static_cast<int>(random() % range) - 2);
            return out;
        };
        const V primary = numbers(static_cast<int>(random() % 15));
        std::vector<V> imports;
        const int importCount = 1 + static_cast<int>(random() % 3);
        for (int k = 0; k < importCount; ++k)
            imports.push_back(numbers(static_cast<int>(random() % 20)));
        Align(primary, imports);
        if (HasFailure()) {
            ADD_FAILURE() << "round " << round;
            return;
        }
    }
}

TEST(Alignment, LargeReversedAndShuffledInputsMatch) {
    std::mt19937 random(7);
    V primary(3000), reversed(3000);
    for (int k = 0; k < 3000; ++k) {
        primary[k] = k + 1;
        reversed[k] = 3000 - k;
    }
    V shuffled = primary;
    std::shuffle(shuffled.begin(), shuffled.end(), random);
    shuffled.resize(2500);
    EXPECT_EQ(Align(primary, {reversed}), primary);
    Align(primary, {shuffled});
}

} // namespace
