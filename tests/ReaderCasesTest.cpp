#include "Compress.h"
#include "DataFileReader.h"
#include "ReferenceReader.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct ExpectedRecord {
    int number;
    std::map<int, int> values; // node -> value; all other nodes hold 0
};

struct ReaderCase {
    const char* name;
    std::string bytes;
    int dimension;
    std::vector<ExpectedRecord> records;
    int warnings = 0;
    int existing = 0; // records already in the array before the read
};

std::string Values(int count, int first = 1) {
    std::string out;
    for (int k = 0; k < count; ++k)
        out += " " + std::to_string(first + k);
    return out;
}

std::map<int, int> Run(int firstNode, int count, int first = 1) {
    std::map<int, int> values;
    for (int k = 0; k < count; ++k)
        values[firstNode + k] = first + k;
    return values;
}

// Test listings name a case instead of dumping its bytes.
void PrintTo(const ReaderCase& c, std::ostream* out) {
    *out << c.name;
}

class ReaderCases : public ::testing::TestWithParam<ReaderCase> {};

// Reads the file at `path` into an array holding the case's earlier records
// and checks the result against the case.
void ExpectReadAsTheCase(const ReaderCase& c, const std::string& path) {
    CLatticeRecordArray records;
    for (int k = 0; k < c.existing; ++k)
        records.Add(CLatticeRecord{});
    int dimension = -1;
    int warnings = 0;
    const std::error_code error =
        quib::ReadLatticeFile(path, dimension, records, [&](const char* message) {
            EXPECT_STREQ(message, "This file has the wrong dimension. Should be 26 or 32");
            ++warnings;
        });
    ASSERT_FALSE(error) << error.message();
    EXPECT_EQ(dimension, c.dimension);
    EXPECT_EQ(warnings, c.warnings);
    ASSERT_EQ(records.GetSize(), c.existing + static_cast<int>(c.records.size()));
    for (std::size_t k = 0; k < c.records.size(); ++k) {
        const CLatticeRecord& got = records[c.existing + static_cast<int>(k)];
        EXPECT_EQ(got.m_nRecordNumber, c.records[k].number) << "record " << k;
        for (int n = 0; n < quib::kNodeCount; ++n) {
            const auto it = c.records[k].values.find(n);
            EXPECT_EQ(got.m_nNodeValue[n], it == c.records[k].values.end() ? 0 : it->second)
                << "record " << k << " node " << n;
        }
    }
}

// Every case is checked on the real reader, reading a file from disk, and on
// the plain reference reading, so that the two keep each other honest.
TEST_P(ReaderCases, ReadAsExpected) {
    const ReaderCase& c = GetParam();
    TempDir dir;
    ExpectReadAsTheCase(c, dir.Write("data.txt", c.bytes));

    const ReferenceDataset reference = ReferenceRead(c.bytes, c.existing);
    EXPECT_EQ(reference.dimension, c.dimension);
    EXPECT_EQ(reference.warnings, c.warnings);
    ASSERT_EQ(reference.records.size(), c.records.size());
    for (std::size_t k = 0; k < c.records.size(); ++k) {
        EXPECT_EQ(reference.records[k].number, c.records[k].number);
        for (int n = 0; n < quib::kNodeCount; ++n) {
            const auto it = c.records[k].values.find(n);
            EXPECT_EQ(reference.records[k].values[n],
                      it == c.records[k].values.end() ? 0 : it->second);
        }
    }
}

// The same text compressed each way, whole and cut into three streams one
// after another, reads exactly as the plain file.
TEST_P(ReaderCases, CompressedReadsAsItsText) {
    const ReaderCase& c = GetParam();
    TempDir dir;
    for (const quib::Compression format : kCompressions) {
        for (const int pieces : {1, 3}) {
            SCOPED_TRACE(std::string(CompressedSuffix(format)) + " in " + std::to_string(pieces));
            ExpectReadAsTheCase(c, dir.Write(std::string("data") + CompressedSuffix(format),
                                             CompressText(c.bytes, format, pieces)));
        }
    }
}

const std::string k26 = Values(26);
const std::string k32 = Values(32);

INSTANTIATE_TEST_SUITE_P(
    FileStructure, ReaderCases,
    ::testing::Values(
        ReaderCase{"EmptyFile", "", 26, {}},
        ReaderCase{"TypicalFile",
                   "DIM=26\nCONV_SECTION\n(1)" + k26 + "\n(2)" + k26 + "\nEND\n",
                   26,
                   {{1, Run(6, 26)}, {2, Run(6, 26)}}},
        ReaderCase{"NoEndLine", "(4) 1 2\n(9) 3\n", 26, {{4, {{6, 1}, {7, 2}}}, {9, {{6, 3}}}}},
        ReaderCase{
            "LastLineWithoutLineEnd", "(4) 1 2\n(9) 3", 26, {{4, {{6, 1}, {7, 2}}}, {9, {{6, 3}}}}},
        ReaderCase{"NothingAfterEndIsRead", "(1) 1\nEND\n(2) 2\nDIM=30\n", 26, {{1, {{6, 1}}}}},
        ReaderCase{"EndWithoutLineEndIsARecordLine", "(1) 1\nEND", 26, {{1, {{6, 1}}}}},
        ReaderCase{"EmptyLineStops", "(1) 1\n\n(2) 2\n", 26, {{1, {{6, 1}}}}},
        ReaderCase{"FirstLineEmpty", "\n(1) 1\n", 26, {}},
        ReaderCase{"FirstLineEnd", "END\nDIM=32\n(1) 1\n", 26, {}},
        ReaderCase{"EndWithBlankIsNoEnd", "END \n(1) 1\n", 26, {{1, {{6, 1}}}}},
        ReaderCase{"LowerCaseEndIsNoEnd", "end\n(1) 1\n", 26, {{1, {{6, 1}}}}},
        ReaderCase{"BlankLineIsNotEmpty", "   \n(1) 1\n", 26, {{1, {{6, 1}}}}},
        ReaderCase{
            "SectionMarkerAnywhereBeforeLineEnd", "12 CONV_SECTION\n(1) 1\n", 26, {{1, {{6, 1}}}}},
        ReaderCase{"SectionMarkerWithTrailingBlankGivesNothing",
                   "CONV_SECTION \n(1) 1\n",
                   26,
                   {{1, {{6, 1}}}}},
        ReaderCase{"TitleWithDigitsIsARecord", "Run 3 of 5\n", 26, {{1, {{6, 3}, {7, 5}}}}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Dimensions, ReaderCases,
    ::testing::Values(
        ReaderCase{"NoDimensionLineMeans26", "(1)" + k26 + "\n", 26, {{1, Run(6, 26)}}},
        ReaderCase{"Dimension32", "DIM=32\n(1)" + k32 + "\n", 32, {{1, Run(0, 32)}}},
        ReaderCase{"BlanksAroundEquals", "DIM = 32\n(1) 5\n", 32, {{1, {{0, 5}}}}},
        ReaderCase{"Dimension30Warns", "DIM=30\n(1)" + Values(30) + "\n", 30, {{1, Run(2, 30)}}, 1},
        ReaderCase{"DimensionAnywhereOnTheLine",
                   "# the DIM of this run: x=32\n(1) 5\n",
                   32,
                   {{1, {{0, 5}}}}},
        ReaderCase{"LastDimensionLineCounts",
                   "DIM=32\n(1) 5\nDIM=26\n(2) 6\n",
                   26,
                   {{1, {{0, 5}}}, {2, {{6, 6}}}}},
        ReaderCase{"LowerCaseDimIsARecordLineWithoutValue", "dim=32\n(1) 5\n", 26, {{1, {{6, 5}}}}},
        ReaderCase{"AboveThirtyTwoStoresFromNodeZero",
                   "DIM=40\n(1)" + Values(40) + "\n",
                   40,
                   {{1, Run(0, 32)}},
                   1},
        ReaderCase{"ZeroStoresNothing", "DIM=0\n(1) 1 2\n", 0, {}, 1},
        ReaderCase{"NegativeStoresNothing", "DIM=-3\n(1) 1 2\n", -3, {}, 1},
        ReaderCase{"NoEqualsKeepsTheDimension", "DIM\n(1) 1\n", 26, {{1, {{6, 1}}}}},
        ReaderCase{"NoIntegerKeepsTheDimension", "DIM=x\n(1) 1\n", 26, {{1, {{6, 1}}}}},
        ReaderCase{"KeptWrongDimensionWarnsAgain", "DIM=30\nDIM\n(1) 1\n", 30, {{1, {{2, 1}}}}, 2},
        ReaderCase{
            "HugeDimensionSaturates", "DIM=99999999999\n(1) 1\n", 2147483647, {{1, {{0, 1}}}}, 1},
        ReaderCase{
            "HugeNegativeDimensionSaturates", "DIM=-99999999999\n(1) 1\n", -2147483647 - 1, {}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    RecordLines, ReaderCases,
    ::testing::Values(
        ReaderCase{"OnlyARecordNumberGivesNoRecord", "(5)\n(6) 1\n", 26, {{6, {{6, 1}}}}},
        ReaderCase{"NumberedInOrderOfKeptRecords",
                   "1\nnothing\n2\n3\n",
                   26,
                   {{1, {{6, 1}}}, {2, {{6, 2}}}, {3, {{6, 3}}}}},
        ReaderCase{
            "NumberingCountsEarlierRecords", "7\n8\n", 26, {{6, {{6, 7}}}, {7, {{6, 8}}}}, 0, 5},
        ReaderCase{"BlanksAndJunkInsideParentheses", "( 12 abc) 4\n", 26, {{12, {{6, 4}}}}},
        ReaderCase{"ParenthesisNotFirstIsAToken", " (3) 4\n", 26, {{1, {{6, 4}}}}},
        ReaderCase{"NoClosingParenthesisGivesNoRecord", "(3 4 5\n(4) 1\n", 26, {{4, {{6, 1}}}}},
        ReaderCase{"NoNumberAfterParenthesis", "(x) 4\n() 5\n", 26, {{1, {{6, 4}}}, {2, {{6, 5}}}}},
        ReaderCase{"ValuesDirectlyAfterParenthesis", "(2)9 8\n", 26, {{2, {{6, 9}, {7, 8}}}}},
        ReaderCase{"NegativeAndHugeRecordNumbers",
                   "(-4) 1\n(99999999999) 2\n",
                   26,
                   {{-4, {{6, 1}}}, {2147483647, {{6, 2}}}}},
        ReaderCase{
            "FortyValuesInDimension32", "DIM=32\n(1)" + Values(40) + "\n", 32, {{1, Run(0, 32)}}},
        ReaderCase{"ThreeValuesInDimension26", "(1) 4 5 6\n", 26, {{1, {{6, 4}, {7, 5}, {8, 6}}}}},
        ReaderCase{"TokenShapes",
                   "(1) 12abc 1.5 5,6 0x10 010 +-5 - +7 -3 x9\n",
                   26,
                   {{1, {{6, 12}, {7, 1}, {8, 5}, {9, 0}, {10, 10}, {11, 7}, {12, -3}}}}},
        ReaderCase{"MissingValueMarkStoredUnchanged",
                   "(1) -32001 -32000\n",
                   26,
                   {{1, {{6, -32001}, {7, -32000}}}}},
        ReaderCase{"HugeValuesSaturate",
                   "(1) 2147483648 -2147483649 123456789012345678901234\n",
                   26,
                   {{1, {{6, 2147483647}, {7, -2147483647 - 1}, {8, 2147483647}}}}},
        ReaderCase{"LongNumbersAreExact",
                   "(1) 12345678 2147483647 -2147483648 0000000000042\n",
                   26,
                   {{1, {{6, 12345678}, {7, 2147483647}, {8, -2147483647 - 1}, {9, 42}}}}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Bytes, ReaderCases,
    ::testing::Values(
        ReaderCase{"CrLfReadsAsLf",
                   "DIM=32\r\nCONV_SECTION\r\n(1) 1 2\r\nEND\r\n(2) 3\r\n",
                   32,
                   {{1, {{0, 1}, {1, 2}}}}},
        ReaderCase{"CrLfEmptyLineStops", "(1) 1\r\n\r\n(2) 2\r\n", 26, {{1, {{6, 1}}}}},
        ReaderCase{"LoneCrIsWhitespace",
                   "(1) 1\r2\n\r \n(2) 3\n",
                   26,
                   {{1, {{6, 1}, {7, 2}}}, {2, {{6, 3}}}}},
        ReaderCase{"NulIsATokenCharacter",
                   std::string("(1) 4\0 5 \0 7\n", 13),
                   26,
                   {{1, {{6, 4}, {7, 5}, {8, 7}}}}},
        ReaderCase{
            "NulDoesNotHideAMarker", std::string("\0DIM=32\n(1) 5\n", 14), 32, {{1, {{0, 5}}}}},
        ReaderCase{"HighBytesAreTokenCharacters",
                   "(1) 3\xA0 \xFF\x32 \xC3\xA9 6\n",
                   26,
                   {{1, {{6, 3}, {7, 6}}}}},
        ReaderCase{"OtherControlBytesAreWhitespace",
                   "(1) 1\t2\v3\f4\n",
                   26,
                   {{1, {{6, 1}, {7, 2}, {8, 3}, {9, 4}}}}}),
    [](const auto& info) { return std::string(info.param.name); });

// Long lines: no cutting into pieces, whatever the length.
ReaderCase LongLine(const char* name, std::size_t padding, const std::string& tail) {
    return ReaderCase{name,
                      "(1) 7" + std::string(padding, ' ') + tail + "\n(2) 8\n",
                      26,
                      {{1, {{6, 7}, {7, 9}}}, {2, {{6, 8}}}}};
}

INSTANTIATE_TEST_SUITE_P(LongLines, ReaderCases,
                         ::testing::Values(LongLine("JustOverABuffer", 1020, "9"),
                                           LongLine("ManyBuffers", 5000, "9"),
                                           LongLine("TokenAcrossTheOldSeam", 1014, "9"),
                                           LongLine("HugeLine", 3 << 20, "9")),
                         [](const auto& info) { return std::string(info.param.name); });

class ReaderFailures : public ::testing::Test {
  protected:
    // A dataset already holding records of an earlier read.
    void SetUp() override {
        const std::string path = m_dir.Write("first.txt", "DIM=32\n(1) 1\n(2) 2\n");
        ASSERT_FALSE(quib::ReadLatticeFile(path, m_dimension, m_records, {}));
    }
    void ExpectUnchanged() {
        EXPECT_EQ(m_dimension, 32);
        ASSERT_EQ(m_records.GetSize(), 2);
        EXPECT_EQ(m_records[1].m_nRecordNumber, 2);
        EXPECT_EQ(m_records[1].m_nNodeValue[0], 2);
    }
    TempDir m_dir;
    int m_dimension = -1;
    CLatticeRecordArray m_records;
};

TEST_F(ReaderFailures, MissingFileChangesNothing) {
    const std::error_code outcome =
        quib::ReadLatticeFile(m_dir.Path() + "/missing", m_dimension, m_records, {});
    EXPECT_EQ(outcome, std::errc::no_such_file_or_directory);
    ExpectUnchanged();
}

TEST_F(ReaderFailures, DirectoryIsAFileThatCannotBeOpened) {
    const std::error_code outcome = quib::ReadLatticeFile(m_dir.Path(), m_dimension, m_records, {});
    EXPECT_EQ(outcome, std::errc::is_a_directory);
    ExpectUnchanged();
}

TEST_F(ReaderFailures, SecondReadAppendsAndNumbersOnFromTheArraySize) {
    const std::string path = m_dir.Write("second.txt", "9\n(5) 8\n");
    ASSERT_FALSE(quib::ReadLatticeFile(path, m_dimension, m_records, {}));
    EXPECT_EQ(m_dimension, 26);
    ASSERT_EQ(m_records.GetSize(), 4);
    EXPECT_EQ(m_records[2].m_nRecordNumber, 3);
    EXPECT_EQ(m_records[2].m_nNodeValue[6], 9);
    EXPECT_EQ(m_records[3].m_nRecordNumber, 5);
}

} // namespace
