// The overview's figure painted on images and written as PNG, SVG and PDF,
// read back with QImage and poppler.

#include "ColourScale.h"
#include "LatticeTables.h"
#include "OverviewDocuments.h"
#include "OverviewFigureFile.h"
#include "PictureFile.h"
#include "Process.h"
#include "TempDir.h"

#include <QFile>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace quib;

QImage Painted(const OverviewFigure& figure, int currentRecord = -1) {
    QImage image(figure.Area().size(), QImage::Format_RGB32);
    QPainter painter(&image);
    figure.Paint(painter, currentRecord);
    return image;
}

// The middle pixel row of a node's row.
int MiddleOfRow(const OverviewFigure& figure, int node) {
    std::vector<int> ys;
    for (int y = figure.Cells().top(); y <= figure.Cells().bottom(); ++y)
        if (figure.NodeAt(QPoint(figure.Cells().left(), y)) == node)
            ys.push_back(y);
    return ys.empty() ? -1 : ys[ys.size() / 2];
}

QRgb Colour(const Rgb& rgb) {
    return qRgb(rgb.r, rgb.g, rgb.b);
}

// Small values everywhere and, in one record, one far larger: at every
// width its column, and only its column, has the darkest blue, in its node's
// row alone.
TEST(OverviewFigure, OneExtremeRecordAmongAMillionIsSeenAtEveryWidth) {
    constexpr int kRecords = 1000000, kPlanted = 654321, kNode = 19; // acd
    constexpr std::int32_t kExtreme = 2000000000;
    LatticeDocument doc;
    doc.m_nPrimaryDim = 32;
    FillRecords(doc.m_primaryRecords, kRecords, [](int k, int n) {
        return k == kPlanted && n == kNode ? kExtreme : (k * 31 + n * 7) % 201 - 100;
    });
    const Overview overview(doc, OverviewMode::Primary, ValueTransform::Read);
    ASSERT_EQ(overview.Ends(), (ColourEnds{-100, kExtreme}));
    const QRgb darkest = Colour(ColourScale(overview.Ends()).Of(kExtreme));
    for (const int width : {100, 137, 250, 400, 555, 800, 1024, 1200, 1600, 2222, 3001, 4000}) {
        SCOPED_TRACE(width);
        const OverviewFigure figure(overview, QRect(0, 0, width, 400));
        const QImage image = Painted(figure);
        const QRect cells = figure.Cells();
        const int row = MiddleOfRow(figure, kNode);
        const int column = figure.Columns().ColumnOf(kPlanted);
        std::vector<int> found;
        for (int y = cells.top(); y <= cells.bottom(); ++y)
            for (int x = cells.left(); x <= cells.right(); ++x)
                if (image.pixel(x, y) == darkest) {
                    ASSERT_EQ(figure.NodeAt(QPoint(x, y)), kNode) << x << " " << y;
                    if (y == row)
                        found.push_back(x);
                }
        ASSERT_FALSE(found.empty());
        for (const int x : found)
            EXPECT_EQ(figure.ColumnAt(QPoint(x, row)), column) << x;
        EXPECT_EQ(figure.Columns().Count(), std::min(cells.width(), overview.MostColumns()));
    }
}

// The key runs from the lowest value shown to the highest, each sign to its
// own end: never to a value drawn "/" (-2147483648 here), never to the
// other sign's magnitude; a sign without values has no ramp.
TEST(OverviewFigure, TheKeyRunsBetweenTheValuesThatAreNotMissing) {
    const TempDir dir;
    LatticeDocument doc;
    doc.m_nPrimaryDim = 32;
    FillRecords(doc.m_primaryRecords, 3, [](int k, int n) {
        return n != 9 ? 0 : k == 0 ? 2147460747 : k == 1 ? -5 : -2147483647 - 1;
    });
    const auto keyOf = [&](const Overview& overview) {
        const std::string pdf = dir.Path() + "/key.pdf";
        OverviewFigureFile file;
        file.format = quib::PictureFormat::Pdf;
        EXPECT_FALSE(SaveOverviewFigure(overview, file, QString::fromStdString(pdf)));
        const std::string text = RunProcess("/usr/bin/pdftotext", {"-layout", pdf, "-"}).out;
        const std::size_t line = text.rfind('\n', text.find("missing"));
        return text.substr(line + 1, text.find('\n', line + 1) - line - 1);
    };
    const Overview overview(doc, OverviewMode::Primary, ValueTransform::Read);
    const std::string key = keyOf(overview);
    EXPECT_NE(key.find("−5 "), std::string::npos) << key;
    EXPECT_NE(key.find(" 2147460747, log scale"), std::string::npos) << key;
    EXPECT_EQ(key.find("2147483648"), std::string::npos) << key;
    EXPECT_EQ(key.find("−2147460747"), std::string::npos) << key;
    // -5 is the darkest orange.
    const OverviewFigure figure(overview, QRect(0, 0, 600, 300));
    EXPECT_EQ(Painted(figure).pixel(figure.XOfRecord(1), MiddleOfRow(figure, 9)),
              Colour(ColourScale::Shade(true, 1)));

    doc.m_primaryRecords[1].m_nNodeValue[9] = 5;
    const std::string positive = keyOf(Overview(doc, OverviewMode::Primary, ValueTransform::Read));
    EXPECT_EQ(positive.find("−"), std::string::npos) << positive;
    EXPECT_NE(positive.find("0 "), std::string::npos) << positive;
}

class SmallFigure : public ::testing::Test {
  protected:
    SmallFigure() {
        m_doc.m_nPrimaryDim = 32;
        FillRecords(m_doc.m_primaryRecords, 50, [](int k, int n) { return k + n + 1; });
        ImportRecords(
            m_doc, 32, [](int k, int n) { return k + 2 * n + 1; },
            [](int number) { return number == kUnpaired + 1; });
    }
    static constexpr int kUnpaired = 19;
    LatticeDocument m_doc;
};

TEST_F(SmallFigure, ARecordWithoutPartnerIsGreyInDifferenceModeOnly) {
    for (const OverviewMode mode : {OverviewMode::Primary, OverviewMode::Difference}) {
        const OverviewFigure figure(Overview(m_doc, mode, ValueTransform::Read),
                                    QRect(0, 0, 1200, 400));
        const QImage image = Painted(figure);
        for (int node = 0; node < kNodeCount; ++node) {
            SCOPED_TRACE(DisplayLabel(node));
            const int y = MiddleOfRow(figure, node);
            const bool grey = mode == OverviewMode::Difference;
            EXPECT_EQ(image.pixel(figure.XOfRecord(kUnpaired), y) == Colour(ColourScale::kMissing),
                      grey);
            EXPECT_NE(image.pixel(figure.XOfRecord(kUnpaired + 1), y),
                      Colour(ColourScale::kMissing));
        }
    }
}

TEST_F(SmallFigure, TheCurrentRecordIsMarkedByALineAndPointsFindTheirCells) {
    const Overview overview(m_doc, OverviewMode::Primary, ValueTransform::Read);
    const OverviewFigure figure(overview, QRect(0, 0, 900, 300));
    const int x = figure.XOfRecord(kUnpaired);
    const int y = MiddleOfRow(figure, 6);
    EXPECT_EQ(Painted(figure, kUnpaired).pixel(x, y), qRgb(0, 0, 0));
    EXPECT_EQ(Painted(figure, -1).pixel(x, y),
              Colour(ColourScale(overview.Ends()).Of(overview.Columns(50).Value(kUnpaired, 6))));
    for (int k = 0; k < 50; ++k)
        EXPECT_EQ(figure.ColumnAt(QPoint(figure.XOfRecord(k), y)), k);
    EXPECT_EQ(figure.ColumnAt(QPoint(figure.Cells().left() - 1, y)), -1);
    for (int row = 0; row < kNodeCount; ++row)
        EXPECT_EQ(figure.NodeAt(QPoint(x, MiddleOfRow(figure, NodeOfRow(row)))), NodeOfRow(row));
    // Between abcde and abcd lies a gap.
    int below = MiddleOfRow(figure, 31);
    while (figure.NodeAt(QPoint(x, below)) == 31)
        ++below;
    EXPECT_EQ(figure.NodeAt(QPoint(x, below)), -1);
}

class FigureFiles : public SmallFigure {
  protected:
    std::string Save(quib::PictureFormat format, const std::string& name,
                     QSize size = {1200, 400}) {
        const std::string path = m_dir.Path() + "/" + name;
        OverviewFigureFile file;
        file.format = format;
        file.size = size;
        const std::error_code error =
            SaveOverviewFigure(Overview(m_doc, OverviewMode::Difference, ValueTransform::Mobius),
                               file, QString::fromStdString(path));
        EXPECT_FALSE(error) << error.message();
        return path;
    }
    TempDir m_dir;
};

// The PNG is the figure as painted, at 1200 by 400 unless told otherwise.
TEST_F(FigureFiles, PngIsThePaintedFigure) {
    const QImage png(QString::fromStdString(Save(quib::PictureFormat::Png, "o.png")));
    const OverviewFigure figure(Overview(m_doc, OverviewMode::Difference, ValueTransform::Mobius),
                                QRect(0, 0, 1200, 400));
    EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32), Painted(figure));
    EXPECT_EQ(
        QImage(QString::fromStdString(Save(quib::PictureFormat::Png, "s.png", {640, 480}))).size(),
        QSize(640, 480));
}

// Real text, in the rows' order from top to bottom, on a page of 1200 by
// 400 points.
TEST_F(FigureFiles, PdfAndSvgCarryTheLabelsAsText) {
    const std::string pdf = Save(quib::PictureFormat::Pdf, "o.pdf");
    const ProcessResult info = RunProcess("/usr/bin/pdfinfo", {pdf});
    EXPECT_NE(info.out.find("Page size:       1200 x 400 pts"), std::string::npos) << info.out;
    const ProcessResult text = RunProcess("/usr/bin/pdftotext", {"-layout", pdf, "-"});
    ASSERT_EQ(text.status, 0) << text.err;
    std::istringstream lines(text.out);
    std::vector<std::string> firstWords;
    for (std::string line, word; std::getline(lines, line);)
        if (std::istringstream(line) >> word)
            firstWords.push_back(word);
    int row = 0;
    for (const std::string& word : firstWords)
        if (row < kNodeCount && word == DisplayLabel(NodeOfRow(row)))
            ++row;
    EXPECT_EQ(row, kNodeCount) << text.out;
    EXPECT_NE(text.out.find("Imported minus primary, Möbius inversion"), std::string::npos);
    EXPECT_NE(text.out.find(" 50"), std::string::npos); // the last position

    const QByteArray svg = [&] {
        QFile file(QString::fromStdString(Save(quib::PictureFormat::Svg, "o.svg")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    EXPECT_TRUE(svg.contains("width=\"423.333mm\" height=\"141.111mm\"")); // in points
    EXPECT_TRUE(svg.contains(">abcde</text>"));
    EXPECT_TRUE(svg.contains(">{}</text>"));
}

// A figure that cannot be written says why and leaves nothing behind; a
// data file is never written over.
TEST_F(FigureFiles, AFailedWriteSaysWhyAndLeavesNoFile) {
    const Overview overview(m_doc, OverviewMode::Primary, ValueTransform::Read);
    const QString missingFolder = QString::fromStdString(m_dir.Path() + "/none/o.png");
    EXPECT_EQ(SaveOverviewFigure(overview, {}, missingFolder),
              std::make_error_code(std::errc::no_such_file_or_directory));
    EXPECT_FALSE(QFile::exists(missingFolder));
    OverviewFigureFile file;
    file.format = quib::PictureFormat::Pdf;
    EXPECT_EQ(SaveOverviewFigure(overview, file, "/dev/full"),
              std::make_error_code(std::errc::no_space_on_device));
    const QString tooLarge = QString::fromStdString(m_dir.Path() + "/large.png");
    file.size = QSize(kOverviewFigureMaxSide + 1, 400);
    EXPECT_EQ(SaveOverviewFigure(overview, file, tooLarge),
              std::make_error_code(std::errc::invalid_argument));
    file.size = QSize(1200, 0);
    EXPECT_TRUE(SaveOverviewFigure(overview, file, tooLarge));
    EXPECT_TRUE(OverviewFigureBytes(overview, file).isEmpty());
    EXPECT_FALSE(QFile::exists(tooLarge));

    const std::string data = m_dir.Write("run.dat", "DIM=32\n(1) 5\n");
    const QString alias = QString::fromStdString(m_dir.Path() + "/./run.dat");
    EXPECT_EQ(SaveOverviewFigure(overview, {}, alias, {QString::fromStdString(data)}),
              PictureError::OpenDataFile);
    EXPECT_EQ(ReadWholeFile(data), "DIM=32\n(1) 5\n");
}

} // namespace
