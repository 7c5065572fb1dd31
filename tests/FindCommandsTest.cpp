// quib --find and --unpaired, and --find as the filter of --summary and
// --export, run as the real program.

#include "Process.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

class FindCommands : public ::testing::Test {
  protected:
    ProcessResult Quib(const std::vector<std::string>& args) const {
        return RunProcess(QUIB_EXECUTABLE, args,
                          {"XDG_CONFIG_HOME=" + m_dir.Path(), "XDG_RUNTIME_DIR=" + m_dir.Path()});
    }
    std::string Out(const std::string& name) const { return m_dir.Path() + "/" + name; }

    TempDir m_dir;
    // Positions and numbers differ; the empty set's value 1, 0, 5.
    const std::string m_three = m_dir.Write("three.dat", "DIM=32\n(7) 1\n(3) 0\n(9) 5\n");
};

TEST_F(FindCommands, FindPrintsThePositionAndNumberOfEachMatch) {
    ProcessResult r = Quib({"--find", "{} > 0", m_three});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "1 7\n3 9\n");
    EXPECT_EQ(r.err, "");
    r = Quib({"--find", "number = 3 or position = 1", m_three});
    EXPECT_EQ(r.out, "1 7\n2 3\n");
    r = Quib({"--find", "{} > 5", m_three});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.out, "");
    r = Quib({"--find", "{} > 0", Out("missing")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "quib: cannot open '" + Out("missing") + "': No such file or directory\n");
}

// Told before any file is read: a missing file is not mentioned.
TEST_F(FindCommands, AMalformedConditionIsToldByItsColumn) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--find", "a > abf", Out("missing")},
          {"--summary", "--find", "a > abf", Out("missing")},
          {"--statistics", "--find", "a > abf", Out("missing")},
          {"--export", Out("p.pdf"), "--records", "all", "--find", "a > abf", Out("missing")}}) {
        SCOPED_TRACE(args[0]);
        const ProcessResult r = Quib(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "quib: --find: column 5: unknown name 'abf'\n");
    }
    EXPECT_EQ(Quib({"--find", "", m_three}).err, "quib: --find: column 1: empty condition\n");
}

// Told before any file is read, as a malformed condition is: without an
// import such a condition could only match nothing.
TEST_F(FindCommands, AConditionOnTheImportedRunNeedsAnImport) {
    const std::string noImport =
        "quib: --find: the condition reads the imported run, but no file is imported\n";
    for (const std::string condition : {"imported.ab > 0", "differs", "not partner"}) {
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"--find", condition, Out("missing")},
              {"--summary", "--find", condition, Out("missing")},
              {"--export", Out("p.pdf"), "--records", "all", "--find", condition,
               Out("missing")}}) {
            SCOPED_TRACE(args[0] + " " + condition);
            const ProcessResult r = Quib(args);
            EXPECT_EQ(r.status, 2);
            EXPECT_EQ(r.out, "");
            EXPECT_EQ(r.err, noImport);
        }
    }
    const ProcessResult imported =
        Quib({"--find", "imported.{} = 1", "--import", m_three, m_three});
    EXPECT_EQ(imported.out, "1 7\n");
    EXPECT_EQ(Quib({"--find", "changed({}) and monotone", m_three}).out, "2 3\n");
}

// Sums and comparisons never take a missing value or a record without a
// partner as the number -32001; `!=` agrees with differs. Integers pass
// 32 bits.
TEST_F(FindCommands, MissingValuesMatchAsUnknownOnTheExamples) {
    const std::string examples = QUIB_EXAMPLES;
    const auto found = [&](const std::string& condition) {
        const ProcessResult r = Quib({"--find", condition, "--import",
                                      examples + "/run-a-repeat.dat", examples + "/run-a.dat"});
        EXPECT_EQ(r.err, "") << condition;
        std::vector<std::string> lines;
        for (std::size_t at = 0, end; (end = r.out.find('\n', at)) != std::string::npos;
             at = end + 1)
            lines.push_back(r.out.substr(at, end - at));
        return lines;
    };
    const std::vector<std::string> unpaired = found("not partner");
    ASSERT_GT(unpaired.size(), 10u);
    const std::vector<std::string> larger = found("abcde - imported.abcde > 10");
    const std::vector<std::string> differing = found("differs(abcde)");
    ASSERT_FALSE(larger.empty());
    for (const std::string& line : larger) {
        EXPECT_EQ(std::count(unpaired.begin(), unpaired.end(), line), 0) << line;
        EXPECT_EQ(std::count(differing.begin(), differing.end(), line), 1) << line;
    }
    for (const std::string& line : found("imported.ab < 0 or -imported.ab = 32001"))
        EXPECT_EQ(std::count(unpaired.begin(), unpaired.end(), line), 0) << line;
    EXPECT_EQ(found("ab != imported.ab"), found("differs(ab)"));
    const ProcessResult large = Quib({"--find", "ab > 3000000000", m_three});
    EXPECT_EQ(large.status, 3);
    EXPECT_EQ(large.err, "");
}

// The condition sees the values shown: the Möbius inversion takes the empty
// set's value off every singleton.
TEST_F(FindCommands, FindSeesTheValuesShown) {
    const std::string data = m_dir.Write("d.dat", "DIM=32\n(1) 5\n(2) 0 5\n");
    EXPECT_EQ(Quib({"--find", "a < 0", data}).status, 3);
    const ProcessResult r = Quib({"--find", "a < 0", "--values", "mobius", data});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "1 1\n");
    EXPECT_EQ(Quib({"--find", "ab = 5", "--values", "subsets", data}).out, "1 1\n2 2\n");
    // The picture shows them too.
    ASSERT_EQ(Quib({"--export", Out("m-%d.svg"), "--records", "all", "--values", "mobius", "--find",
                    "a < 0", data})
                  .status,
              0);
    EXPECT_NE(ReadWholeFile(Out("m-1.svg")).find("Record nr 1, Möbius inversion &lt;"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(Out("m-2.svg")));
}

// Record 3 differs from its partner, record 1 has none.
TEST_F(FindCommands, FindSeesThePartners) {
    const std::string primary = m_dir.Write("p.dat", "DIM=32\n(1) 1\n(2) 2\n(3) 3\n");
    const std::string import = m_dir.Write("i.dat", "DIM=32\n(3) 4\n(2) 2\n");
    EXPECT_EQ(Quib({"--find", "differs", "--import", import, primary}).out, "3 3\n");
    EXPECT_EQ(Quib({"--find", "not partner", "--import", import, primary}).out, "1 1\n");
    EXPECT_EQ(Quib({"--find", "imported.{} = 2", "--import", import, primary}).out, "2 2\n");
}

// Read order across both imports: 2, 5, 2, 7, 1. Primary record 1 takes the
// last, 2 the first; the second 2, the 5 and the 7 are left.
TEST_F(FindCommands, UnpairedListsTheImportedRecordsNoPrimaryRecordTook) {
    const std::string primary = m_dir.Write("p.dat", "(1) 1\n(2) 2\n(3) 3\n");
    const std::string first = m_dir.Write("a.dat", "(2) 0\n(5) 0\n(2) 0\n");
    const std::string second = m_dir.Write("b.dat", "(7) 0\n(1) 0\n");
    ProcessResult r = Quib({"--unpaired", "--import", first, "--import", second, primary});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "2 5\n3 2\n4 7\n");
    const std::string partners = m_dir.Write("c.dat", "(3) 0\n(1) 0\n");
    r = Quib({"--unpaired", "--import", partners, primary});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.out, "");
}

TEST_F(FindCommands, FindFiltersTheSummaryInEachFormat) {
    const std::string zeros = [] {
        std::string text;
        for (int k = 0; k < 31; ++k)
            text += " 0";
        return text;
    }();
    ProcessResult r = Quib({"--summary", "--find", "{} > 0", m_three});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Record nr 7 < 1" + zeros + ">\nRecord nr 9 < 5" + zeros + ">\n");
    r = Quib({"--summary", "--format", "csv", "--find", "{} = 0", m_three});
    EXPECT_EQ(r.status, 0);
    const std::string header = r.out.substr(0, r.out.find("\r\n") + 2);
    EXPECT_EQ(header.rfind("position,number,{},a,", 0), 0u) << header;
    EXPECT_EQ(
        r.out.substr(header.size()), "2,3,0" + [] {
            std::string fields;
            for (int k = 0; k < 31; ++k)
                fields += ",0";
            return fields;
        }() + "\r\n");
    r = Quib({"--summary", "--format", "json", "--find", "position = 3", m_three});
    EXPECT_EQ(r.out.rfind("{\"position\": 3, \"number\": 9, \"values\": [5, 0,", 0), 0u) << r.out;
    EXPECT_EQ(r.out.find('\n'), r.out.size() - 1) << r.out;
    // Nothing matches: nothing but the CSV header, and status 3.
    for (const std::string format : {"text", "json", "csv"}) {
        r = Quib({"--summary", "--format", format, "--find", "{} < 0", m_three});
        EXPECT_EQ(r.status, 3) << format;
        EXPECT_EQ(r.out, format == "csv" ? header : "") << format;
    }
}

// A page per match, in order; pictures keep their records' positions,
// numbered to the digits of the range's end.
TEST_F(FindCommands, FindFiltersTheExportedRecords) {
    const std::string examples = QUIB_EXAMPLES;
    const std::string runA = examples + "/run-a.dat";
    const ProcessResult found = Quib({"--find", "minimal(ab)", runA});
    ASSERT_EQ(found.status, 0);
    const auto matches = std::count(found.out.begin(), found.out.end(), '\n');
    ASSERT_GT(matches, 2);
    const std::string pdf = Out("minimal-ab.pdf");
    ASSERT_EQ(Quib({"--export", pdf, "--records", "all", "--find", "minimal(ab)", runA}).status, 0);
    const ProcessResult info = RunProcess("/usr/bin/pdfinfo", {pdf});
    EXPECT_NE(info.out.find("Pages:           " + std::to_string(matches) + "\n"),
              std::string::npos)
        << info.out;
    // The second page: the second match ("POSITION NUMBER").
    const std::string line = found.out.substr(found.out.find('\n') + 1);
    const std::string number =
        line.substr(line.find(' ') + 1, line.find('\n') - line.find(' ') - 1);
    const ProcessResult second = RunProcess("/usr/bin/pdftotext", {"-f", "2", "-l", "2", pdf, "-"});
    EXPECT_EQ(second.out.rfind("Record nr " + number + " <", 0), 0u) << second.out;

    ASSERT_EQ(
        Quib({"--export", Out("r-%d.svg"), "--records", "8-12", "--find", "position < 10", runA})
            .status,
        0);
    for (const std::string name : {"r-08.svg", "r-09.svg"})
        EXPECT_TRUE(std::filesystem::exists(Out(name))) << name;
    for (const std::string name : {"r-8.svg", "r-07.svg", "r-10.svg"})
        EXPECT_FALSE(std::filesystem::exists(Out(name))) << name;

    const ProcessResult none =
        Quib({"--export", Out("none.pdf"), "--records", "1-2", "--find", "number > 8", m_three});
    EXPECT_EQ(none.status, 3);
    EXPECT_EQ(none.err, "quib: no record matches\n");
    EXPECT_FALSE(std::filesystem::exists(Out("none.pdf")));
}

TEST_F(FindCommands, UsageErrorsOfFindAndUnpaired) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{"--find"}, "option '--find' needs a condition"},
        {{"--find", "ab > 0"}, "missing FILE"},
        {{"--summary", "--find"}, "option '--find' needs a condition"},
        {{"--info", "--find", "ab > 0", m_three},
         "option '--find' is only for --summary, --statistics and --export"},
        {{"--find", "a", "--find", "b", m_three}, "--find given twice"},
        {{"--summary", "--find", "a", "--find", "b", m_three}, "--find given twice"},
        {{"--find", "a", "--highlight", m_three}, "unknown option '--highlight'"},
        {{"--export", Out("x.png"), "--find", "a", m_three},
         "option '--find' with --export needs --records"},
        {{"--unpaired", m_three}, "option '--unpaired' needs --import FILE2"},
        {{"--unpaired", "--values", "mobius", "--import", m_three, m_three},
         "option '--values' is only for --summary, --statistics, --export, --find and --overview"},
    };
    for (const auto& [args, reason] : refused) {
        SCOPED_TRACE(reason);
        const ProcessResult r = Quib(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "quib: " + reason + "\nTry 'quib --help'.\n");
    }
}

} // namespace
