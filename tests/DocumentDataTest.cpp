#include "LatticeDocument.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

namespace {

class DocumentData : public ::testing::Test {
  protected:
    std::string File(const std::string& name, const std::string& bytes) {
        return m_dir.Write(name, bytes);
    }

    void ExpectEmpty() {
        EXPECT_EQ(m_doc.m_nPrimaryDim, -1);
        EXPECT_EQ(m_doc.m_nImportedDim, -1);
        EXPECT_EQ(m_doc.m_primaryRecords.GetSize(), 0);
        EXPECT_EQ(m_doc.m_importedRecords.GetSize(), 0);
        for (int n = 0; n < 32; ++n) {
            EXPECT_EQ(m_doc.GetNodeValue(0, n, 0), NO_RECORD_VALUE);
            EXPECT_EQ(m_doc.GetNodeValue(0, n, 1), NO_RECORD_VALUE);
        }
    }

    // The number of each primary record's partner, -1 for none.
    std::vector<int> PartnerNumbers() const {
        std::vector<int> numbers;
        for (int i = 0; i < m_doc.m_primaryRecords.GetSize(); ++i) {
            const int partner = m_doc.ImportedPartner(i);
            numbers.push_back(partner == quib::kNoPartner
                                  ? -1
                                  : m_doc.m_importedRecords[partner].m_nRecordNumber);
        }
        return numbers;
    }

    TempDir m_dir;
    LatticeDocument m_doc;
};

TEST_F(DocumentData, StartsEmpty) {
    ExpectEmpty();
}

TEST_F(DocumentData, GetNodeValueNeverReadsOutsideADataset) {
    ASSERT_FALSE(m_doc.OpenDataFile(File("p", "DIM=32\n(1) 10 11\n(2) 20\n(3) 30 31\n")));
    ASSERT_FALSE(m_doc.ImportDataFile(File("i", "DIM=32\n(3) 7\n")));
    EXPECT_EQ(m_doc.GetNodeValue(2, 0, 0), 30);
    EXPECT_EQ(m_doc.GetNodeValue(2, 1, 0), 31);
    EXPECT_EQ(m_doc.GetNodeValue(3, 0, 0), NO_RECORD_VALUE);
    EXPECT_EQ(m_doc.GetNodeValue(-1, 0, 0), NO_RECORD_VALUE);
    EXPECT_EQ(m_doc.GetNodeValue(0, -1, 0), NO_RECORD_VALUE);
    EXPECT_EQ(m_doc.GetNodeValue(0, 32, 0), NO_RECORD_VALUE);
    // Any dataset other than 0 is the imported one, read at the partner of
    // the primary record; records 1 and 2 have none.
    EXPECT_EQ(m_doc.GetNodeValue(2, 0, 1), 7);
    EXPECT_EQ(m_doc.GetNodeValue(2, 0, 2), 7);
    EXPECT_EQ(m_doc.GetNodeValue(2, 0, -1), 7);
    EXPECT_EQ(m_doc.GetNodeValue(2, 1, 1), 0);
    EXPECT_EQ(m_doc.GetNodeValue(2, 32, 1), NO_RECORD_VALUE);
    EXPECT_EQ(m_doc.GetNodeValue(0, 0, 1), NO_RECORD_VALUE);
    EXPECT_EQ(m_doc.GetNodeValue(1, 0, 1), NO_RECORD_VALUE);
    EXPECT_EQ(m_doc.GetNodeValue(3, 0, 1), NO_RECORD_VALUE);
    EXPECT_EQ(m_doc.GetNodeValue(-1, 0, 1), NO_RECORD_VALUE);
}

TEST_F(DocumentData, OpenResetsBothDatasetsAndAFailedOpenLeavesThemEmpty) {
    ASSERT_FALSE(m_doc.OpenDataFile(File("p", "(1) 1\n(2) 2\n")));
    ASSERT_FALSE(m_doc.ImportDataFile(File("i", "(2) 5\n")));
    EXPECT_EQ(m_doc.m_nImportedDim, 26);
    ASSERT_FALSE(m_doc.OpenDataFile(File("q", "DIM=32\n(4) 4\n")));
    EXPECT_EQ(m_doc.m_nPrimaryDim, 32);
    EXPECT_EQ(m_doc.m_nImportedDim, -1);
    EXPECT_EQ(m_doc.m_importedRecords.GetSize(), 0);
    const std::error_code missing = m_doc.OpenDataFile(m_dir.Path() + "/missing");
    EXPECT_EQ(missing, std::errc::no_such_file_or_directory);
    ExpectEmpty();
}

TEST_F(DocumentData, ImportsAppendAndPairAfterEachFile) {
    ASSERT_FALSE(m_doc.OpenDataFile(File("p", "(1) 1\n(2) 2\n(3) 3\n(4) 4\n")));
    ASSERT_FALSE(m_doc.ImportDataFile(File("a", "DIM=32\n(4) 40\n(2) 20\n")));
    EXPECT_EQ(m_doc.m_nImportedDim, 32);
    EXPECT_EQ(PartnerNumbers(), (std::vector<int>{-1, 2, -1, 4}));
    ASSERT_FALSE(m_doc.ImportDataFile(File("b", "(3) 30\n(1) 10\n")));
    EXPECT_EQ(m_doc.m_nImportedDim, 26);
    EXPECT_EQ(PartnerNumbers(), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(m_doc.GetNodeValue(0, 6, 1), 10);
    EXPECT_EQ(m_doc.GetNodeValue(3, 0, 1), 40);
    // A file that cannot be opened changes nothing, yet the pass runs.
    const std::error_code folder = m_doc.ImportDataFile(m_dir.Path());
    EXPECT_EQ(folder, std::errc::is_a_directory);
    EXPECT_EQ(m_doc.m_nImportedDim, 26);
    EXPECT_EQ(PartnerNumbers(), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(m_doc.m_nPrimaryDim, 26);
    EXPECT_EQ(m_doc.m_primaryRecords[0].m_nRecordNumber, 1);
}

TEST_F(DocumentData, WarningHookNamesThePath) {
    std::vector<std::string> seen;
    m_doc.SetWarningHook([&](const std::string& path, const char* message) {
        seen.push_back(path + ": " + message);
    });
    const std::string path = File("w", "DIM=30\n(1) 1\nDIM=31\n");
    ASSERT_FALSE(m_doc.OpenDataFile(path));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], path + ": This file has the wrong dimension. Should be 26 or 32");
    EXPECT_EQ(m_doc.m_nPrimaryDim, 31);
}

} // namespace
