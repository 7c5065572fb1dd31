#include "LatticeRecordArray.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace {

CLatticeRecord MakeRecord(int number, int firstValue) {
    CLatticeRecord record;
    record.m_nRecordNumber = number;
    for (int n = 0; n < quib::kNodeCount; ++n)
        record.m_nNodeValue[n] = firstValue + n;
    return record;
}

TEST(LatticeRecord, IsAPlainValueOfFixedSize) {
    static_assert(std::is_trivially_copyable_v<CLatticeRecord>);
    const CLatticeRecord fresh;
    for (int value : fresh.m_nNodeValue)
        EXPECT_EQ(value, 0);

    CLatticeRecord copy;
    copy = MakeRecord(77, 5);
    EXPECT_EQ(copy.m_nRecordNumber, 77);
    EXPECT_EQ(copy.m_nNodeValue[0], 5);
    EXPECT_EQ(copy.m_nNodeValue[31], 36);
}

TEST(LatticeRecordArray, AddReturnsTheIndexAndKeepsOrderAcrossGrowth) {
    CLatticeRecordArray records;
    EXPECT_EQ(records.GetSize(), 0);
    // Enough records to cross several page-sized and huge-page-sized steps.
    constexpr int kCount = 40000;
    for (int k = 0; k < kCount; ++k)
        ASSERT_EQ(records.Add(MakeRecord(k + 1, k)), k);
    ASSERT_EQ(records.GetSize(), kCount);
    for (int k = 0; k < kCount; k += 997) {
        EXPECT_EQ(records[k].m_nRecordNumber, k + 1);
        EXPECT_EQ(records[k].m_nNodeValue[31], k + 31);
    }
    // Contiguous: the elements are one block in index order.
    EXPECT_EQ(&records[kCount - 1] - &records[0], kCount - 1);

    records.RemoveAll();
    EXPECT_EQ(records.GetSize(), 0);
    EXPECT_EQ(records.Add(MakeRecord(9, 9)), 0);
}

TEST(LatticeRecordArray, ElementsCanBeAssignedInPlace) {
    CLatticeRecordArray records;
    records.Add(MakeRecord(1, 0));
    records.Add(MakeRecord(2, 100));
    records[0] = records[1];
    EXPECT_EQ(records[0].m_nRecordNumber, 2);
    EXPECT_EQ(records[0].m_nNodeValue[4], 104);
    records[0] = records[0];
    EXPECT_EQ(records[0].m_nRecordNumber, 2);
}

TEST(LatticeRecordArray, SetSizeShrinksAndGrowsWithEmptyRecords) {
    CLatticeRecordArray records;
    for (int k = 0; k < 5; ++k)
        records.Add(MakeRecord(k + 10, k));
    records.SetSize(2);
    ASSERT_EQ(records.GetSize(), 2);
    EXPECT_EQ(records[1].m_nRecordNumber, 11);
    records.SetSize(4);
    ASSERT_EQ(records.GetSize(), 4);
    // Records the array makes itself hold zeros and number 0, not stale data.
    EXPECT_EQ(records[2].m_nRecordNumber, 0);
    EXPECT_EQ(records[3].m_nNodeValue[0], 0);
    records.FreeExtra();
    EXPECT_EQ(records[1].m_nNodeValue[3], 4);
}

} // namespace
