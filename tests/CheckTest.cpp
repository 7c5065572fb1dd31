// quib --check, run as the real program: each kind of finding on the
// smallest file that shows it, and files that read as their writers meant.

#include "DataGenerator.h"
#include "Process.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class Check : public ::testing::Test {
  protected:
    // The findings of a file of these bytes, the path cut off.
    std::string Findings(const std::string& bytes, int expectedStatus = 3) {
        const std::string path = m_dir.Write("f.dat", bytes);
        const ProcessResult r = RunProcess(QUIB_EXECUTABLE, {"--check", path});
        EXPECT_EQ(r.status, expectedStatus) << r.err;
        EXPECT_EQ(r.err, "");
        std::string out;
        for (std::size_t start = 0; start < r.out.size();) {
            const std::size_t end = r.out.find('\n', start);
            const std::string line = r.out.substr(start, end - start);
            EXPECT_EQ(line.rfind(path + ":", 0), 0u) << line;
            out += line.substr(path.size() + 1) + "\n";
            start = end + 1;
        }
        return out;
    }

    TempDir m_dir;
};

TEST_F(Check, EachKindOnTheSmallestFileThatShowsIt) {
    EXPECT_EQ(Findings("DIM=30\n(1) 1\n"),
              "1: dimension: the dimension is 30 from here on; a record of a correct file has 26 "
              "or 32 values\n2: short: record 1 has 1 value where the dimension asks for 30; 29 "
              "nodes more read 0\n");
    EXPECT_EQ(Findings("DIM=1\nRun 2\n(5) 1\n"),
              "1: dimension: the dimension is 1 from here on; a record of a correct file has 26 or "
              "32 values\n2: skipped: 'Run' gives no value; the values after it land one node "
              "earlier\n2: unnumbered: this line gives record 1 without a number in parentheses, "
              "while other records have one\n");
    EXPECT_EQ(Findings("DIM=1\n(1) 1\n(1) 2\n"),
              "1: dimension: the dimension is 1 from here on; a record of a correct file has 26 or "
              "32 values\n3: duplicate: record number 1 was given before, on line 2\n");
    EXPECT_EQ(Findings("DIM=1\n(1 1\n( ) 2\n"),
              "1: dimension: the dimension is 1 from here on; a record of a correct file has 26 or "
              "32 values\n2: bracket: '(' with no ')' after it: the line gives no record\n3: "
              "bracket: no record number after '(': the record is numbered by its position\n");
    EXPECT_EQ(Findings("DIM=2\n(1) 1 x\n"),
              "1: dimension: the dimension is 2 from here on; a record of a correct file has 26 or "
              "32 values\n2: skipped: 'x' gives no value\n2: short: record 1 has 1 value where "
              "the dimension asks for 2; 1 node more read 0\n");
    EXPECT_EQ(Findings("DIM=1\n(1) 12abc\n"),
              "1: dimension: the dimension is 1 from here on; a record of a correct file has 26 or "
              "32 values\n2: partial: '12abc' is read as 12\n");
    EXPECT_EQ(Findings("DIM=99999999999\n"),
              "1: saturated: the dimension does not fit in 32 bits and reads as 2147483647\n1: "
              "dimension: the dimension is 2147483647 from here on; a record of a correct file has "
              "26 or 32 values\n1: empty: the file gives no record\n");
    EXPECT_EQ(Findings("DIM=1\n(-99999999999) -99999999999\n"),
              "1: dimension: the dimension is 1 from here on; a record of a correct file has 26 or "
              "32 values\n2: saturated: the record number does not fit in 32 bits and reads as "
              "-2147483648\n2: saturated: '-99999999999' does not fit in 32 bits and reads as "
              "-2147483648\n");
    // At the edge: the record number fits, the value does not.
    EXPECT_EQ(Findings("DIM=1\n(-2147483648) -2147483649\n"),
              "1: dimension: the dimension is 1 from here on; a record of a correct file has 26 or "
              "32 values\n2: saturated: '-2147483649' does not fit in 32 bits and reads as "
              "-2147483648\n");
    EXPECT_EQ(Findings("DIM=1\n(1) 1 2\n"),
              "1: dimension: the dimension is 1 from here on; a record of a correct file has 26 or "
              "32 values\n2: long: record 1 has 2 values where the dimension asks for 1; 1 value "
              "past it are ignored\n");
    EXPECT_EQ(Findings("DIM=32\n\n \nmore\n(2) 1\n"),
              "1: empty: the file gives no record\n4: unread: reading stopped at the empty line on "
              "line 2: this line and all after it are never read\n");
    EXPECT_EQ(Findings("END\n(1) 5\n"), "1: empty: the file gives no record\n2: unread: reading "
                                        "stopped at the end line on line 1: this line and all "
                                        "after it are never read\n");
}

// A binary file prints no control bytes: a token's bytes outside printable
// ASCII are written as \xHH, and at most 40 bytes of it.
TEST_F(Check, TokensAreQuotedPrintably) {
    EXPECT_EQ(Findings("DIM=1\n(1) 12\x7f \x01\x1b[2J\xff\n"),
              "1: dimension: the dimension is 1 from here on; a record of a correct file has 26 or "
              "32 values\n2: partial: '12\\x7f' is read as 12\n2: skipped: '\\x01\\x1b[2J\\xff' "
              "gives no value\n");
    const std::string longToken = std::string(39, 'x') + "\x80" + "yz";
    EXPECT_EQ(Findings("DIM=1\n(1) 1 " + longToken + "\n"),
              "1: dimension: the dimension is 1 from here on; a record of a correct file has 26 or "
              "32 values\n2: skipped: '" +
                  std::string(39, 'x') + "\\x80...' gives no value\n");
}

// Every example, and a file as the instruments write it, reads as meant.
TEST_F(Check, WellWrittenFilesHaveNoFinding) {
    for (const char* name : {"run-a.dat", "run-a-repeat.dat", "run-b.dat"})
        EXPECT_EQ(Findings(ReadWholeFile(std::string(QUIB_EXAMPLES "/") + name), 0), "") << name;
    EXPECT_EQ(Findings(GenerateDataFile(26, 500), 0), "");
    EXPECT_EQ(Findings(GenerateDataFile(32, 500, 7), 0), "");
    // A CR LF pair ends one line.
    EXPECT_EQ(Findings("DIM=26\r\n(1) 1\r\n(1) 2\r\n"),
              "2: short: record 1 has 1 value where the dimension asks for 26; 25 nodes more read "
              "0\n3: duplicate: record number 1 was given before, on line 2\n3: short: record 1 "
              "has 1 value where the dimension asks for 26; 25 nodes more read 0\n");
}

// Written for another system: lines ended by CR alone read as one line,
// UTF-16 text as bytes with NUL between them; each is told once, at line 1,
// beside what the file then gives. One LF anywhere makes lines of it.
TEST_F(Check, FilesWrittenForAnotherSystemAreToldSo) {
    const std::string empty = "1: empty: the file gives no record\n";
    EXPECT_EQ(Findings("DIM=32\r(1) 1\r(2) 2\r"),
              "1: line-ends: the lines end in CR alone, which ends no line here: the whole file "
              "reads as one line\n" +
                  empty);
    EXPECT_EQ(Findings("DIM=32\r(1) 1\r(2) 2\r\n"), empty);
    const std::string text = "DIM=32\n(1) 1\n";
    std::string little = "\xff\xfe", big = "\xfe\xff";
    for (const char c : text) {
        little += {c, '\0'};
        big += {'\0', c};
    }
    for (const std::string& utf16 : {little, big})
        EXPECT_EQ(Findings(utf16),
                  "1: encoding: the file begins with a UTF-16 byte order mark: its "
                  "text reads as bytes with NUL between them\n" +
                      empty);
    EXPECT_EQ(Findings(little.substr(2)), empty);
}

TEST_F(Check, ExitStatuses) {
    EXPECT_EQ(RunProcess(QUIB_EXECUTABLE, {"--check", m_dir.Path() + "/missing"}).err,
              "quib: cannot open '" + m_dir.Path() + "/missing': No such file or directory\n");
    EXPECT_EQ(RunProcess(QUIB_EXECUTABLE, {"--check", m_dir.Path()}).status, 1);
    EXPECT_EQ(RunProcess(QUIB_EXECUTABLE, {"--check"}).status, 2);
    EXPECT_EQ(RunProcess(QUIB_EXECUTABLE, {"--check", "--import", "a", "b"}).status, 2);
}

} // namespace
