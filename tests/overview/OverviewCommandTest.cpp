// quib --overview run as the real program: the figure it writes is the one
// the panel's code paints of the same file, at the size asked for, with its
// labels as text; it never writes over a data file, and says why it refuses.

#include "LatticeTables.h"
#include "OverviewFigureFile.h"
#include "Process.h"
#include "TempDir.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace quib;

class OverviewCommand : public ::testing::Test {
  protected:
    OverviewCommand() {
        std::string primary = "DIM=32\n", imported = "DIM=32\n";
        for (int k = 1; k <= 80; ++k) {
            primary += "(" + std::to_string(k) + ")";
            imported += k % 9 == 0 ? "" : "(" + std::to_string(k) + ")";
            for (int node = 0; node < kNodeCount; ++node) {
                primary += " " + std::to_string((k * 7 + node * 3) % 41 - 20);
                imported += k % 9 == 0 ? "" : " " + std::to_string((k * 5 + node) % 37 - 10);
            }
            primary += "\n";
            imported += k % 9 == 0 ? "" : "\n";
        }
        m_primary = m_dir.Write("run.dat", primary);
        m_imported = m_dir.Write("repeat.dat", imported);
    }
    ProcessResult Quib(const std::vector<std::string>& args) const {
        return RunProcess(QUIB_EXECUTABLE, args,
                          {"XDG_CONFIG_HOME=" + m_dir.Path(), "XDG_RUNTIME_DIR=" + m_dir.Path()});
    }
    std::string Out(const std::string& name) const { return m_dir.Path() + "/" + name; }

    TempDir m_dir;
    std::string m_primary, m_imported;
};

// Mode, values and size as asked: the PNG is, to the pixel, what the
// figure's code paints of the same document.
TEST_F(OverviewCommand, ThePngIsTheFigureOfWhatWasAskedFor) {
    const ProcessResult r =
        Quib({"--overview", Out("o.png"), "--mode", "difference", "--values", "mobius", "--width",
              "900", "--height", "300", "--import", m_imported, m_primary});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out + r.err, "");
    LatticeDocument document;
    ASSERT_FALSE(document.OpenDataFile(m_primary));
    ASSERT_FALSE(document.ImportDataFile(m_imported));
    OverviewFigureFile figure;
    figure.size = QSize(900, 300);
    figure.style.title = QStringLiteral("run.dat");
    const QImage expected = QImage::fromData(OverviewFigureBytes(
        Overview(document, OverviewMode::Difference, ValueTransform::Mobius), figure));
    const QImage written(QString::fromStdString(Out("o.png")));
    ASSERT_EQ(written.size(), QSize(900, 300));
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32),
              expected.convertToFormat(QImage::Format_RGB32));

    ASSERT_EQ(Quib({"--overview", Out("d.png"), m_primary}).status, 0);
    EXPECT_EQ(QImage(QString::fromStdString(Out("d.png"))).size(), QSize(1200, 400));
}

// 1200 by 400 points, the nodes named from abcde down to {} and what is
// shown told, as text that pdftotext and an SVG reader find.
TEST_F(OverviewCommand, PdfAndSvgNameTheNodesAsText) {
    ASSERT_EQ(
        Quib({"--overview", Out("o.pdf"), "--mode", "imported", "--import", m_imported, m_primary})
            .status,
        0);
    const ProcessResult info = RunProcess("/usr/bin/pdfinfo", {Out("o.pdf")});
    EXPECT_NE(info.out.find("Page size:       1200 x 400 pts"), std::string::npos) << info.out;
    const ProcessResult text = RunProcess("/usr/bin/pdftotext", {"-layout", Out("o.pdf"), "-"});
    ASSERT_EQ(text.status, 0) << text.err;
    std::istringstream lines(text.out);
    int row = 0;
    for (std::string line, word; std::getline(lines, line);)
        if (std::istringstream(line) >> word && row < kNodeCount &&
            word == DisplayLabel(NodeOfRow(row)))
            ++row;
    EXPECT_EQ(row, kNodeCount) << text.out;
    EXPECT_NE(text.out.find("run.dat: Imported run"), std::string::npos) << text.out;

    ASSERT_EQ(Quib({"--overview", Out("o.svg"), "--values", "supersets", m_primary}).status, 0);
    const std::string svg = ReadWholeFile(Out("o.svg"));
    EXPECT_NE(svg.find("width=\"423.333mm\" height=\"141.111mm\""), std::string::npos);
    for (const char* label :
         {">abcde</text>", ">{}</text>", ">run.dat: Primary run, sums over supersets</text>"})
        EXPECT_NE(svg.find(label), std::string::npos) << label;
}

// Not over FILE nor an import, even named like a figure; a folder that is
// not there: the reason, status 1, nothing written.
TEST_F(OverviewCommand, NeverWritesOverADataFileAndTellsWhyNot) {
    const std::string data = m_dir.Write("run.png", ReadWholeFile(m_primary));
    const std::string import = m_dir.Write("repeat.svg", ReadWholeFile(m_imported));
    for (const auto& [out, args] : std::vector<std::pair<std::string, std::vector<std::string>>>{
             {data, {"--overview", data, data}},
             {import, {"--overview", import, "--import", import, data}}}) {
        const ProcessResult r = Quib(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "quib: cannot write '" + out + "': it is an open data file\n");
    }
    EXPECT_EQ(ReadWholeFile(data), ReadWholeFile(m_primary));
    EXPECT_EQ(ReadWholeFile(import), ReadWholeFile(m_imported));
    const ProcessResult r = Quib({"--overview", Out("none/o.pdf"), m_primary});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "quib: cannot write '" + Out("none/o.pdf") + "': No such file or directory\n");
}

TEST_F(OverviewCommand, UsageErrorsNameTheWordAndTheChoices) {
    ASSERT_NE(
        Quib({"--help"})
            .out.find(
                "quib --overview OUT.png|OUT.svg|OUT.pdf [--mode primary|imported|difference]"),
        std::string::npos);
    const std::string out = Out("o.png");
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{"--overview"}, "option '--overview' needs an output file"},
        {{"--overview", Out("o.gif"), m_primary},
         "cannot tell the picture format of '" + Out("o.gif") + "': use .png, .svg or .pdf"},
        {{"--overview", out, "--mode", "diff", m_primary},
         "unknown --mode 'diff': choose primary, imported or difference"},
        {{"--overview", out, "--mode"}, "option '--mode' needs primary, imported or difference"},
        {{"--overview", out, "--width", "0", m_primary},
         "width '0' is not a number from 1 to 16384"},
        {{"--overview", out, "--height", "16385", m_primary},
         "height '16385' is not a number from 1 to 16384"},
        {{"--overview", out, "--width", "12px", m_primary},
         "width '12px' is not a number from 1 to 16384"},
        {{"--overview", out, "--height"}, "option '--height' needs a number"},
        {{"--overview", out, "--mode", "difference", m_primary},
         "--mode difference needs a run to compare: give --import FILE2"},
        {{"--overview", out, "--mode", "imported", m_primary},
         "--mode imported needs a run to compare: give --import FILE2"},
        {{"--overview", out, "--highlight", m_primary}, "unknown option '--highlight'"},
        {{"--overview", out}, "missing FILE"},
        {{"--export", out, "--width", "9", m_primary}, "unknown option '--width'"},
        {{"--summary", "--mode", "primary", m_primary}, "option '--mode' is only for --overview"},
        {{"--overview", out, "--width", "9", "--width", "10", m_primary}, "--width given twice"},
    };
    for (const auto& [args, reason] : refused) {
        SCOPED_TRACE(reason);
        const ProcessResult r = Quib(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, "quib: " + reason + "\nTry 'quib --help'.\n");
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(out)));
}

} // namespace
