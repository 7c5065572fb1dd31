// quib --statistics run as the real program: the figures of a small run
// worked out by hand, the records it covers, and what it says when it
// covers none.

#include "Process.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class StatisticsCommand : public ::testing::Test {
  protected:
    ProcessResult Quib(std::vector<std::string> args) const {
        args.insert(args.begin(), "--statistics");
        return RunProcess(QUIB_EXECUTABLE, args,
                          {"XDG_CONFIG_HOME=" + m_dir.Path(), "XDG_RUNTIME_DIR=" + m_dir.Path()});
    }
    static bool HasLine(const std::string& out, const std::string& line) {
        return ("\n" + out).find("\n" + line + "\n") != std::string::npos;
    }

    TempDir m_dir;
    // The empty set, a and b as given, every other node 0; a is missing in
    // record 1.
    const std::string m_run = m_dir.Write("run.dat", "DIM=32\n(1) 5 -32001 2\n(2) -1 4 0\n"
                                                     "(3) 3 6 0\n");
    // Of dimension 26 (no empty set, no singletons): ab 7 beside record 3;
    // records 1 and 2 have no partner, record 9 is left over.
    const std::string m_import = m_dir.Write("import.dat", "DIM=26\n(9) 1\n(3) 7\n");
    static constexpr const char* kHeader = "run node count min max mean positive minimal\n";
};

TEST_F(StatisticsCommand, FiguresPerRunAndNode) {
    ProcessResult r = Quib({"--import", m_import, m_run});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.substr(0, r.out.find('\n') + 1), kHeader);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1 + 3 * 32);
    for (const char* line : {
             // {} minimal where positive (records 1 and 3); a missing once,
             // minimal where {} is not positive (record 2); a mean rounded up.
             "primary {} 3 -1 5 2.333 2 2",
             "primary a 2 4 6 5.000 2 1",
             "primary b 3 0 2 0.667 1 0",
             "primary abcde 3 0 0 0.000 0 0",
             // The import gives no empty set; ab is minimal in the partner.
             "imported {} 0 - - - 0 0",
             "imported ab 1 7 7 7.000 1 1",
             "imported abc 1 0 0 0.000 0 0",
             // Partner minus primary, where both have a value.
             "difference {} 0 - - - 0 -",
             "difference ab 1 7 7 7.000 1 -",
         }) {
        EXPECT_TRUE(HasLine(r.out, line)) << line << "\n" << r.out;
    }
    // The values shown: the Moebius inversion takes {} off a.
    r = Quib({"--values", "mobius", m_run});
    EXPECT_TRUE(HasLine(r.out, "primary a 2 3 5 4.000 2 1")) << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1 + 32);
}

// A range is clamped into the file and told; a condition picks among the
// range; no record selected leaves the header alone and status 3.
TEST_F(StatisticsCommand, CoversTheSelectedRecords) {
    ProcessResult r = Quib({"--records", "2-9", m_run});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "quib: the file has 3 records; using records 2 to 3\n");
    EXPECT_TRUE(HasLine(r.out, "primary {} 2 -1 3 1.000 1 1")) << r.out;
    r = Quib({"--records", "1-2", "--find", "a > 0", m_run});
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(HasLine(r.out, "primary {} 1 -1 -1 -1.000 0 0")) << r.out;
    r = Quib({"--find", "partner", "--import", m_import, m_run});
    EXPECT_TRUE(HasLine(r.out, "primary {} 1 3 3 3.000 1 1")) << r.out;
    EXPECT_TRUE(HasLine(r.out, "imported ab 1 7 7 7.000 1 1")) << r.out;

    r = Quib({"--find", "{} > 100", m_run});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.out, kHeader);
    EXPECT_EQ(r.err, "");
    r = Quib({"--find", "{} > 100", "--format", "csv", m_run});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.out, "run,node,count,min,max,mean,positive,minimal\r\n");
    r = Quib({"--records", "all", "--format", "json", m_dir.Write("none.dat", "DIM=32\n")});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
}

// An import that cannot be read ends the command before anything is written.
TEST_F(StatisticsCommand, AnImportThatCannotBeReadEndsTheCommand) {
    const std::string missing = m_dir.Path() + "/missing.dat";
    const ProcessResult r = Quib({"--import", missing, m_run});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "quib: cannot open '" + missing + "': No such file or directory\n");
}

} // namespace
