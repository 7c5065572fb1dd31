#include "Process.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

std::string Zeros(int count) {
    std::string out;
    for (int k = 0; k < count; ++k)
        out += " 0";
    return out;
}

class CommandLine : public ::testing::Test {
  protected:
    ProcessResult Quib(const std::vector<std::string>& args) const {
        return RunProcess(QUIB_EXECUTABLE, args,
                          {"XDG_CONFIG_HOME=" + m_dir.Path(), "XDG_RUNTIME_DIR=" + m_dir.Path()});
    }

    TempDir m_dir;
};

TEST_F(CommandLine, InfoPrintsDimensionAndRecordCount) {
    const std::string path = m_dir.Write("d", "DIM=32\nCONV_SECTION\n(1) 1\n(2) 2\nEND\n");
    const ProcessResult r = Quib({"--info", path});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "dimension: 32\nrecords: 2\n");
    EXPECT_EQ(r.err, "");
}

TEST_F(CommandLine, SummaryPrintsTheDrawnLinesAndMinimalNodes) {
    const std::string path =
        m_dir.Write("d", "DIM=32\n(7) 0 1 0 1" + Zeros(11) + " 1\n(8) -32001\n");
    const ProcessResult r = Quib({"--summary", "--highlight", path});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Record nr 7 < 0 1 0 1" + Zeros(11) + " 1" + Zeros(16) + ">\n" +
                         "Minimal nodes: a c de\n" + "Record nr 8 < -32001" + Zeros(31) + ">\n" +
                         "Minimal nodes:\n");
}

TEST_F(CommandLine, SummaryWithSeveralImportsPairsAndPadsThePairedLine) {
    const std::string primary = m_dir.Write("p", "DIM=32\n(1) 1\n(2) 2\n(3) 3\n");
    const std::string first = m_dir.Write("a", "DIM=32\n(2) 20\n");
    const std::string second = m_dir.Write("b", "DIM=32\n(1) 10\n");
    const ProcessResult r = Quib({"--summary", "--import", first, "--import", second, primary});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    std::string pad;
    for (int k = 0; k < 32; ++k)
        pad += " -32001";
    EXPECT_EQ(r.out, "Record nr 1 < 1" + Zeros(31) + ">\n" + "Record nr 1 < 10" + Zeros(31) +
                         ">\n" + "Record nr 2 < 2" + Zeros(31) + ">\n" + "Record nr 2 < 20" +
                         Zeros(31) + ">\n" + "Record nr 3 < 3" + Zeros(31) + ">\n" +
                         "Record nr 3 <" + pad + ">\n");
}

// A missing record leaves its neighbours their own partners.
TEST_F(CommandLine, SummaryPairsImportedRecordsByNumber) {
    const std::string primary = m_dir.Write("p", "DIM=32\n(1) 1\n(2) 2\n(3) 3\n");
    const std::string import = m_dir.Write("a", "DIM=32\n(2) 20\n(3) 30\n");
    const ProcessResult r = Quib({"--summary", "--import", import, primary});
    EXPECT_EQ(r.status, 0);
    std::string pad;
    for (int k = 0; k < 32; ++k)
        pad += " -32001";
    EXPECT_EQ(r.out, "Record nr 1 < 1" + Zeros(31) + ">\nRecord nr 1 <" + pad + ">\n" +
                         "Record nr 2 < 2" + Zeros(31) + ">\nRecord nr 2 < 20" + Zeros(31) + ">\n" +
                         "Record nr 3 < 3" + Zeros(31) + ">\nRecord nr 3 < 30" + Zeros(31) + ">\n");
}

// After each imported line: the nodes whose values differ, or "-" for a
// record without partner; nothing without an import.
TEST_F(CommandLine, SummaryTellsTheDifferingNodes) {
    const std::string primary = m_dir.Write("p", "DIM=32\n(1) 0 5 0 7\n(2) 1\n");
    const std::string import = m_dir.Write("a", "DIM=32\n(1) 0 5 1 8\n");
    ProcessResult r =
        Quib({"--summary", "--differences", "--highlight", "--import", import, primary});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(
        r.out, "Record nr 1 < 0 5 0 7" + Zeros(28) + ">\nMinimal nodes: a c\n" +
                   "Record nr 1 < 0 5 1 8" + Zeros(28) + ">\nMinimal nodes: a b c\n" +
                   "Differing nodes: b c\n" + "Record nr 2 < 1" + Zeros(31) +
                   ">\nMinimal nodes: {}\n" + "Record nr 2 <" +
                   [] {
                       std::string pad;
                       for (int k = 0; k < 32; ++k)
                           pad += " -32001";
                       return pad;
                   }() +
                   ">\nMinimal nodes:\nDiffering nodes: -\n");
    r = Quib({"--summary", "--differences", primary});
    EXPECT_EQ(r.out.find("Differing"), std::string::npos);
}

TEST_F(CommandLine, WrongDimensionWarnsOnStandardErrorWithThePath) {
    const std::string path = m_dir.Write("d", "DIM=30\n(1) 1\n");
    const ProcessResult r = Quib({"--info", path});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "dimension: 30\nrecords: 1\n");
    EXPECT_EQ(r.err, "quib: " + path + ": This file has the wrong dimension. Should be 26 or 32\n");
}

TEST_F(CommandLine, FileWithoutRecordsSucceedsQuietly) {
    const ProcessResult r = Quib({"--summary", m_dir.Write("d", "DIM=26\nEND\n")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
}

TEST_F(CommandLine, FileThatCannotBeOpenedExitsWithOne) {
    for (const std::string mode : {"--info", "--summary"}) {
        ProcessResult r = Quib({mode, m_dir.Path() + "/missing"});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err,
                  "quib: cannot open '" + m_dir.Path() + "/missing': No such file or directory\n");
        r = Quib({mode, m_dir.Path()});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "quib: cannot open '" + m_dir.Path() + "': Is a directory\n");
    }
}

// Each refusal names what was wrong in one line, then where the usage is
// told, in the window's mode too; an option is given once, --import as
// often as there are runs.
TEST_F(CommandLine, UsageErrorsExitWithTwoAndSayWhy) {
    const std::string path = m_dir.Write("d", "(1) 1\n");
    const std::string png = m_dir.Path() + "/a.png";
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{"--info"}, "missing FILE"},
        {{"--summary"}, "missing FILE"},
        {{"--info", path, path}, "unexpected argument '" + path + "'"},
        {{"--summary", "--import"}, "option '--import' needs a file"},
        {{"--summary", "--bogus", path}, "unknown option '--bogus'"},
        {{"--bogus", path}, "unknown option '--bogus'"},
        {{"--info", "--highlight", path}, "unknown option '--highlight'"},
        {{"--version", "x"}, "unexpected argument 'x'"},
        {{"--check", ""}, "FILE is an empty name"},
        {{"--import", "", path}, "option '--import' needs a file"},
        {{"--summary", "--values", "foo", path},
         "unknown --values 'foo': choose read, mobius, subsets or supersets"},
        {{"--summary", "--values"}, "option '--values' needs read, mobius, subsets or supersets"},
        {{"--summary", "--format", "CSV", path},
         "unknown --format 'CSV': choose text, csv or json"},
        {{"--summary", "--format"}, "option '--format' needs text, csv or json"},
        {{"--export", png, "--format", "csv", path},
         "option '--format' is only for --summary and --statistics"},
        {{"--info", "--format", "text", path},
         "option '--format' is only for --summary and --statistics"},
        {{"--check", "--values", "read", path},
         "option '--values' is only for --summary, --statistics, --export, --find and --overview"},
        {{"--values", "mobius", path},
         "option '--values' is only for --summary, --statistics, --export, --find and --overview"},
        {{"--statistics", "--record", "2", path}, "unknown option '--record'"},
        {{"--statistics", "--records", "3-2", path},
         "records '3-2' is not a range A-B of positions, A not above B, or 'all'"},
        {{"--statistics", "--records"}, "option '--records' needs a range"},
        {{"--statistics", "--highlight", path}, "unknown option '--highlight'"},
        {{"--statistics", "--records", "1-2", "--records", "all", path}, "--records given twice"},
        {{"--export", png, "--export", m_dir.Path() + "/b.png", path}, "--export given twice"},
        {{"--summary", "--format", "csv", "--format", "json", path}, "--format given twice"},
        {{"--summary", "--highlight", "--highlight", path}, "--highlight given twice"},
        {{"--export", png, "--record", "1", "--record", "2", path}, "--record given twice"},
        {{"--export", png, "--record", "1", "--records", "1-2", path},
         "give one of '--record' and '--records'"},
        {{"--info", "--info", path}, "--info given twice"},
        {{"--help", "--help"}, "--help given twice"},
        {{"--info", "--summary", path}, "options '--info' and '--summary' do not go together"},
        {{path, "--info"}, "option '--info' must come first"},
    };
    for (const auto& [args, reason] : refused) {
        SCOPED_TRACE(reason);
        const ProcessResult r = Quib(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "quib: " + reason + "\nTry 'quib --help'.\n");
    }
    EXPECT_FALSE(std::filesystem::exists(png));
    const ProcessResult r = Quib({"--summary", "--import", path, "--import", path, path});
    EXPECT_EQ(r.status, 0) << r.err;
}

// Standard output that takes nothing (a full disk) is told in every mode
// that writes there, status 1, never a success; a reader that has closed
// its pipe ends the program at once, quietly, as a filter ends (141 in the
// shell), also where the shell ignores that signal.
TEST_F(CommandLine, OutputThatCannotBeWrittenIsTold) {
    const std::string run = m_dir.Write("run.dat", "DIM=32\nDIM=32\n(1) 1\n(2) 2\n(4) x\n");
    const std::string other = m_dir.Write("other.dat", "DIM=32\n(3) 3\n");
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--info", run},
                                                 {"--summary", run},
                                                 {"--summary", "--format", "csv", run},
                                                 {"--summary", "--format", "json", run},
                                                 {"--statistics", run},
                                                 {"--find", "{} > 1", run},
                                                 {"--unpaired", "--import", other, run},
                                                 {"--check", run},
                                                 {"--help"},
                                                 {"--version"}}) {
        SCOPED_TRACE(args[0]);
        std::vector<std::string> shell = {"-c", "exec \"$0\" \"$@\" > /dev/full", QUIB_EXECUTABLE};
        shell.insert(shell.end(), args.begin(), args.end());
        const ProcessResult r = RunProcess("/bin/sh", shell);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "quib: cannot write to standard output: No space left on device\n");
    }

    // Some megabytes of summary, far more than a pipe holds.
    std::string big = "DIM=32\n";
    for (int k = 1; k <= 40000; ++k)
        big += "(" + std::to_string(k) + ")" + Zeros(32) + "\n";
    const std::string bigRun = m_dir.Write("big.dat", big);
    for (const std::string ignore : {"", "trap '' PIPE; "}) {
        SCOPED_TRACE(ignore);
        const ProcessResult r = RunProcess(
            "/bin/bash",
            {"-c", ignore + "\"$0\" --summary \"$1\" | head -c 10; echo \" ${PIPESTATUS[0]}\"",
             QUIB_EXECUTABLE, bigRun});
        EXPECT_EQ(r.out, "Record nr  141\n");
        EXPECT_EQ(r.err, "");
    }
}

TEST_F(CommandLine, WindowModeWithoutADisplayFailsCleanly) {
    const std::vector<std::string> noDisplay = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
    // A FILE that cannot be opened is told first, whatever the display.
    ProcessResult r = RunProcess(QUIB_EXECUTABLE, {m_dir.Path() + "/missing"}, noDisplay);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "quib: cannot open '" + m_dir.Path() + "/missing': No such file or directory\n");
    r = RunProcess(QUIB_EXECUTABLE, {m_dir.Path()}, noDisplay);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "quib: cannot open '" + m_dir.Path() + "': Is a directory\n");
    r = RunProcess(QUIB_EXECUTABLE, {m_dir.Write("d", "(1) 1\n")}, noDisplay);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("no display"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
}

// A display named but gone (a stale variable after ssh, a server that has
// gone) is told, never an abort with Qt's own advice.
TEST_F(CommandLine, WindowModeWithADisplayThatDoesNotAnswerFailsCleanly) {
    const std::string file = m_dir.Write("d", "(1) 1\n");
    const std::string tail = "; --export writes pictures without one\n";
    const std::vector<std::string> gone = {"DISPLAY=:4242", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM",
                                           "XDG_RUNTIME_DIR=" + m_dir.Path()};
    ProcessResult r = RunProcess(QUIB_EXECUTABLE, {file}, gone);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "quib: cannot connect to display :4242" + tail);
    r = RunProcess(QUIB_EXECUTABLE, {"-platform", "xcb", file}, gone);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "quib: cannot connect to display :4242" + tail);
    r = RunProcess(QUIB_EXECUTABLE, {file},
                   {"DISPLAY", "WAYLAND_DISPLAY=wayland-gone", "QT_QPA_PLATFORM",
                    "XDG_RUNTIME_DIR=" + m_dir.Path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "quib: cannot connect to display wayland-gone" + tail);
    // A FILE that cannot be opened: its message alone, and no box on a
    // display that is not there.
    r = RunProcess(QUIB_EXECUTABLE, {m_dir.Path() + "/missing"}, gone);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "quib: cannot open '" + m_dir.Path() + "/missing': No such file or directory\n");
}

// Qt's own options belong to Qt: with one the window starts (and runs until
// it is ended), where an unknown option would be a usage error.
TEST_F(CommandLine, WindowModeHandsQtItsOwnOptions) {
    const std::string path = m_dir.Write("d", "(1) 1\n");
    ProcessResult r = RunProcess(
        "/usr/bin/timeout",
        {"2", QUIB_EXECUTABLE, "-platform", "offscreen", "-reverse", "--import", path, path},
        {"XDG_RUNTIME_DIR=" + m_dir.Path()});
    EXPECT_EQ(r.status, 124) << r.err;
    EXPECT_EQ(r.err.find("quib:"), std::string::npos) << r.err;
    r = Quib({"-platform"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.substr(0, r.err.find('\n')), "quib: option '-platform' needs a value");
    r = Quib({"--import", path});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.substr(0, r.err.find('\n')), "quib: imports need a FILE to import beside");
}

TEST_F(CommandLine, HelpAndVersion) {
    ProcessResult r = Quib({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Quib 1.0.0.1\n");
    r = Quib({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("--summary [--format text|csv|json] [--values V] [--highlight]"),
              std::string::npos);
}

// The export takes --values too: the picture writes the summary line that
// --summary prints, its title in UTF-8. A summary line with a transform says
// which.
TEST_F(CommandLine, ValuesAreForTheSummaryAndTheExport) {
    const std::string path = m_dir.Write("d", "DIM=32\n(4) 5\n");
    ProcessResult r = Quib({"--export", m_dir.Path() + "/out.svg", "--values", "mobius", path});
    EXPECT_EQ(r.status, 0) << r.err;
    std::string line = Quib({"--summary", "--values", "mobius", path}).out;
    ASSERT_EQ(line.rfind("Record nr 4, Möbius inversion < 5 -5 ", 0), 0u) << line;
    line.replace(line.find('<'), 1, "&lt;");
    line.replace(line.find('>'), 2, "&gt;");
    EXPECT_NE(ReadWholeFile(m_dir.Path() + "/out.svg").find(line), std::string::npos) << line;
    // The empty set is a subset of every node.
    r = Quib({"--summary", "--values", "subsets", path});
    std::string fives;
    for (int k = 0; k < 32; ++k)
        fives += " 5";
    EXPECT_EQ(r.out, "Record nr 4, sums over subsets <" + fives + ">\n");
}

TEST_F(CommandLine, DoubleDashEndsOptions) {
    const std::string path = m_dir.Write("-odd", "(1) 1\n");
    const ProcessResult r = RunProcess(QUIB_EXECUTABLE, {"--info", "--", path});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "dimension: 26\nrecords: 1\n");
}

} // namespace
