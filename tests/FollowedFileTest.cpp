// Follow File on the data: a file written in pieces reads, after each
// piece, exactly as a fresh File Open of its complete lines (and its import
// pairs as after one).

#include "LatticeDocument.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

class FollowedFile : public ::testing::Test {
  protected:
    void SetUp() override {
        m_path = m_dir.Write("run.dat", "");
        m_imports = {m_dir.Write("import.dat", "(2) 7\n(3) 8\n(5) 9\n(9) 10\n")};
    }

    void Append(const std::string& bytes) {
        m_written += bytes;
        std::ofstream(m_path, std::ios::binary | std::ios::app) << bytes;
    }

    void Rewrite(const std::string& bytes) {
        m_written = bytes;
        m_dir.Write("run.dat", bytes);
    }

    // Follows the file once more, then compares with a fresh read of the
    // file's complete lines.
    void FollowAndCompare(const char* step) {
        SCOPED_TRACE(step);
        bool changed = false;
        std::string failed;
        ASSERT_FALSE(m_followed.FollowDataFile(m_path, m_imports, m_at, changed, failed));
        LatticeDocument fresh;
        const std::string complete = m_written.substr(0, m_written.rfind('\n') + 1);
        ASSERT_FALSE(fresh.OpenDataFile(m_dir.Write("complete.dat", complete)));
        ASSERT_FALSE(fresh.ImportDataFile(m_imports[0]));
        EXPECT_EQ(m_followed.m_nPrimaryDim, fresh.m_nPrimaryDim);
        ASSERT_EQ(m_followed.m_primaryRecords.GetSize(), fresh.m_primaryRecords.GetSize());
        for (int r = 0; r < fresh.m_primaryRecords.GetSize(); ++r) {
            EXPECT_EQ(m_followed.m_primaryRecords[r].m_nRecordNumber,
                      fresh.m_primaryRecords[r].m_nRecordNumber)
                << "record " << r;
            for (int n = 0; n < quib::kNodeCount; ++n)
                for (int dataset = 0; dataset < 2; ++dataset)
                    EXPECT_EQ(m_followed.GetNodeValue(r, n, dataset),
                              fresh.GetNodeValue(r, n, dataset))
                        << "record " << r << " node " << n << " dataset " << dataset;
        }
        EXPECT_EQ(m_followed.UnpairedImportedCount(), fresh.UnpairedImportedCount());
    }

    TempDir m_dir;
    std::string m_path;
    std::vector<std::string> m_imports;
    std::string m_written;
    LatticeDocument m_followed;
    LatticeDocument::FollowedFile m_at;
};

TEST_F(FollowedFile, PiecesReadAsTheCompleteLinesOfTheFile) {
    Append("CONV_SECTION\n(1) 1 2 3\n(2) 4 5 12");
    FollowAndCompare("start, a line cut in a number");
    Append("34 6\n(3) 7 8\r");
    FollowAndCompare("the number's rest, CR without its LF");
    Append("\nDIM=32\n(5) 9 10\n11 12\n");
    FollowAndCompare("LF after CR, a new dimension, an unnumbered record");
    EXPECT_EQ(m_followed.m_primaryRecords[4].m_nRecordNumber, 5);
    EXPECT_EQ(m_at.read.offset, m_written.size());

    Append("(9) 13\nEND\n(10) 14\n");
    FollowAndCompare("an end line");
    Append("(11) 15\n");
    FollowAndCompare("lines after the end line");
    EXPECT_EQ(m_followed.m_primaryRecords.GetSize(), 6);

    Rewrite("(2) 1\n(3) 2\n(4");
    FollowAndCompare("truncated");
    Append(") 3\n");
    FollowAndCompare("grown after the truncation");

    // The import, read again with the replaced file, pairs what comes next.
    m_dir.Write("import.dat", "(9) 70\n(12) 71\n(13) 72\n(5) 73\n");
    const std::string other = m_dir.Write("other.dat", "(5) 40\n(9) 41\n");
    ASSERT_EQ(std::rename(other.c_str(), m_path.c_str()), 0);
    m_written = "(5) 40\n(9) 41\n";
    FollowAndCompare("replaced by rename");
    Append("(12) 42\n(13) 43\n");
    FollowAndCompare("grown after the replacement, with the import read again");
}

} // namespace
