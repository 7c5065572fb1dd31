#include "LatticeDocument.h"
#include "LiteralPairing.h"
#include "RecordPairing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <string>
#include <vector>

namespace {

using V = std::vector<int>;

void Append(CLatticeRecordArray& records, const V& numbers) {
    for (const int number : numbers) {
        CLatticeRecord record;
        record.m_nRecordNumber = number;
        records.Add(record);
    }
}

// Each primary record's partner as an index into the imported records read
// in order (-1: none), imports appended one after the other.
V Pair(const V& primaryNumbers, const std::vector<V>& imports) {
    CLatticeRecordArray primary, imported;
    Append(primary, primaryNumbers);
    for (const V& numbers : imports)
        Append(imported, numbers);
    V partners = {999};
    EXPECT_TRUE(quib::PairRecordsByNumber(primary, imported, partners));
    EXPECT_EQ(partners, LiteralPairing(primary, imported));
    return partners;
}

TEST(Pairing, WhereEveryRecordMeetsItsOwnNumberAsBefore) {
    EXPECT_EQ(Pair({1, 2, 3}, {{3, 1, 2}}), (V{1, 2, 0}));
    EXPECT_EQ(Pair({5, 5}, {{5, 5}}), (V{0, 1}));
    EXPECT_EQ(Pair({5, 5}, {{5}}), (V{0, -1}));
    // Two files without common numbers that together hold every number.
    EXPECT_EQ(Pair({1, 2, 3, 4}, {{4, 2}, {3, 1}}), (V{3, 1, 2, 0}));
    // The same numbers twice: the first file's copies, the rest left over.
    EXPECT_EQ(Pair({3, 1, 2}, {{1, 2, 3}, {1, 2, 3}}), (V{2, 0, 1}));
    // Surplus imported records are never anyone's partner.
    EXPECT_EQ(Pair({2, 1}, {{1, 9, 2, 8}}), (V{2, 0}));
    EXPECT_EQ(Pair({}, {{3, 1}}), V{});
    EXPECT_EQ(Pair({1, 2}, {}), (V{-1, -1}));
}

TEST(Pairing, ARecordWithoutItsNumberLeavesTheOthersTheirOwn) {
    // Record 1 is missing: nothing beside it, then 2 beside 2 and 3 beside 3.
    EXPECT_EQ(Pair({1, 2, 3}, {{2, 3}}), (V{-1, 0, 1}));
    // An imported record without a primary partner, early in its file.
    EXPECT_EQ(Pair({1, 2, 3}, {{9, 1, 2, 3}}), (V{1, 2, 3}));
    EXPECT_EQ(Pair({1, 2, 3}, {{3, 9, 2}}), (V{-1, 2, 0}));
    // Duplicates on either side are served in order.
    EXPECT_EQ(Pair({7, 7, 7}, {{7, 8, 7}}), (V{0, 2, -1}));
    EXPECT_EQ(Pair({2, 1, 1}, {{1, 1, 2}}), (V{2, 0, 1}));
    EXPECT_EQ(Pair({4, 5}, {{4, 4, 5}}), (V{0, 2}));
    // A second file supplies the partner the first lacked.
    EXPECT_EQ(Pair({1, 2}, {{2}, {1}}), (V{1, 0}));
    // Numbers across the whole signed range keep their order.
    EXPECT_EQ(Pair({INT_MIN, -1, 0, 1, INT_MAX}, {{INT_MAX, 1, 0, -1, INT_MIN}}),
              (V{4, 3, 2, 1, 0}));
    EXPECT_EQ(Pair({-256, 256, 65536, -65536}, {{65536, -65536, 256, -256}}), (V{3, 2, 0, 1}));
}

// The document pairs after every import, from the imported records in the
// order they were read, and draws nothing beside a record without partner.
TEST(Pairing, AgreesWithTheLiteralSearchOverRepeatedImports) {
    std::mt19937 random(20261208);
    for (int round = 0; round < 3000; ++round) {
        // Small ranges give many duplicates; wide ones exercise every byte.
        const bool wide = round % 4 == 0;
        const int range = 1 + static_cast<int>(random() % 12);
        std::vector<int> pool;
        for (int k = 0; k < range; ++k)
            pool.push_back(wide ? static_cast<int>(random()) : k - 2);
        const auto numbers = [&](int count) {
            V out;
            for (int k = 0; k < count; ++k)
                out.push_back(pool[random() % pool.size()]);
            return out;
        };
        LatticeDocument doc;
        doc.m_nPrimaryDim = 26;
        Append(doc.m_primaryRecords, numbers(static_cast<int>(random() % 15)));
        const int imports = 1 + static_cast<int>(random() % 3);
        for (int k = 0; k < imports; ++k) {
            const int before = doc.m_importedRecords.GetSize();
            Append(doc.m_importedRecords, numbers(static_cast<int>(random() % 20)));
            for (int j = before; j < doc.m_importedRecords.GetSize(); ++j)
                doc.m_importedRecords[j].m_nNodeValue[5] = 1000 + j;
            ASSERT_TRUE(doc.AlignImportedRecords());
            const V expected = LiteralPairing(doc.m_primaryRecords, doc.m_importedRecords);
            for (int i = 0; i < doc.m_primaryRecords.GetSize(); ++i) {
                ASSERT_EQ(doc.ImportedPartner(i), expected[i])
                    << "round " << round << " index " << i;
                ASSERT_EQ(doc.GetNodeValue(i, 5, 1),
                          expected[i] == quib::kNoPartner ? NO_RECORD_VALUE : 1000 + expected[i]);
            }
        }
    }
}

// Follow File pairs the records appended to the primary dataset alone where
// their numbers run above the earlier ones, and everything again otherwise:
// either way as the literal search pairs the whole.
TEST(Pairing, RecordsAppendedOneRunAfterAnotherMatchTheLiteralSearch) {
    std::mt19937 random(20261209);
    for (int round = 0; round < 500; ++round) {
        CLatticeRecordArray primary, imported;
        V offered;
        for (int k = 0; k < 40; ++k)
            offered.push_back(static_cast<int>(random() % 30) - 3);
        Append(imported, offered);
        Append(primary, {static_cast<int>(random() % 5) - 3});
        quib::RecordPairing pairing;
        V partners;
        ASSERT_TRUE(pairing.PairAll(primary, imported, partners));
        int number = primary[0].m_nRecordNumber;
        for (int piece = 0; piece < 6; ++piece) {
            V appended;
            for (int k = static_cast<int>(random() % 4); k > 0; --k) {
                // Mostly growing; now and then a number met before.
                number += random() % 5 == 0 ? -static_cast<int>(random() % 4) : 1;
                appended.push_back(number);
            }
            Append(primary, appended);
            ASSERT_TRUE(pairing.PairAppended(primary, imported, partners));
            ASSERT_EQ(partners, LiteralPairing(primary, imported)) << "round " << round;
        }
    }
}

TEST(Pairing, LargeReversedAndShuffledFilesMatchTheLiteralSearch) {
    std::mt19937 random(7);
    V numbers(3000), reversed(3000);
    for (int k = 0; k < 3000; ++k) {
        numbers[k] = k + 1;
        reversed[k] = 3000 - k;
    }
    const V partners = Pair(numbers, {reversed});
    for (int k = 0; k < 3000; ++k)
        ASSERT_EQ(partners[k], 2999 - k);
    V shuffled = numbers;
    std::shuffle(shuffled.begin(), shuffled.end(), random);
    shuffled.resize(2500);
    const V some = Pair(numbers, {shuffled, shuffled});
    EXPECT_EQ(std::count(some.begin(), some.end(), -1), 500);
}

} // namespace
