// The export mode run as the real program: its pictures read back with
// poppler's pdftotext and with QImage.

#include "LatticeTables.h"
#include "Process.h"
#include "TempDir.h"

#include <QImage>
#include <QPainter>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <future>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct Word {
    std::string text;
    double xMin, yMin, xMax, yMax;
};

struct PdfText {
    double width = 0, height = 0;
    std::vector<Word> words;

    const Word* Find(const std::string& text) const {
        for (const Word& word : words)
            if (word.text == text)
                return &word;
        return nullptr;
    }

    // The words whose tops lie level with `first`'s, left to right.
    std::string LineFrom(const Word& first) const {
        std::vector<const Word*> line;
        for (const Word& word : words)
            if (std::abs(word.yMin - first.yMin) < 0.5)
                line.push_back(&word);
        std::sort(line.begin(), line.end(),
                  [](const Word* a, const Word* b) { return a->xMin < b->xMin; });
        std::string text;
        for (const Word* word : line)
            text += (text.empty() ? "" : " ") + word->text;
        return text;
    }
};

const char* const kPdfToText = "/usr/bin/pdftotext";

std::string Unescape(std::string text) {
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}};
    for (const auto& [entity, plain] : entities)
        for (std::size_t at; (at = text.find(entity)) != std::string::npos;)
            text.replace(at, std::strlen(entity), plain);
    return text;
}

PdfText ReadPdfText(const std::string& pdf) {
    const ProcessResult r = RunProcess(kPdfToText, {"-bbox", pdf, "-"});
    EXPECT_EQ(r.status, 0) << r.err;
    PdfText out;
    std::smatch m;
    static const std::regex page(R"re(<page width="([0-9.]+)" height="([0-9.]+)")re");
    if (std::regex_search(r.out, m, page)) {
        out.width = std::stod(m[1]);
        out.height = std::stod(m[2]);
    }
    static const std::regex word(
        R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
    for (auto it = std::sregex_iterator(r.out.begin(), r.out.end(), word);
         it != std::sregex_iterator(); ++it) {
        const std::smatch& w = *it;
        out.words.push_back(
            {Unescape(w[5]), std::stod(w[1]), std::stod(w[2]), std::stod(w[3]), std::stod(w[4])});
    }
    return out;
}

// Points from the page's top-left corner of the logical point (x, y).
double PointsRight(double x) {
    return x * 0.72;
}
double PointsDown(double y) {
    return (25 - y) * 0.72;
}

class Export : public ::testing::Test {
  protected:
    Export() {
        std::string values, reversed;
        for (int n = 0; n < 32; ++n) {
            values += " " + std::to_string(100 + n);
            reversed += " " + std::to_string(131 - n);
        }
        m_data = m_dir.Write("data.dat",
                             "DIM=32\nCONV_SECTION\n(101)" + values + "\n(102) 5\n(103) 6\nEND\n");
        m_reversed = m_dir.Write("reversed.dat", "DIM=32\n(101)" + reversed + "\n");
        m_import = m_dir.Write("import.dat", "DIM=32\n(102) 7\n(101) 8\n");
    }
    std::string Out(const std::string& name) const { return m_dir.Path() + "/" + name; }
    ProcessResult Quib(const std::vector<std::string>& args) const {
        return RunProcess(QUIB_EXECUTABLE, args, {"XDG_RUNTIME_DIR=" + m_dir.Path()});
    }

    TempDir m_dir;
    std::string m_data;
    std::string m_reversed;
    std::string m_import;
};

TEST_F(Export, PdfPutsTextWhereTheGeometrySays) {
    for (int scale : {4, 2}) {
        SCOPED_TRACE(scale);
        const std::string pdf = Out("scale.pdf");
        const ProcessResult r = Quib({"--export", pdf, "--scale", std::to_string(scale), m_data});
        ASSERT_EQ(r.status, 0) << r.err;
        const PdfText text = ReadPdfText(pdf);

        const Word* record = text.Find("Record");
        ASSERT_NE(record, nullptr);
        EXPECT_NEAR(record->xMin, 0.10 * 72, 1.0);
        EXPECT_NEAR(record->yMin, 0.15 * 72, 1.0);

        const int d = scale == 2 ? -9 : -8;
        for (int n = 0; n < 32; ++n) {
            SCOPED_TRACE(quib::DisplayLabel(n));
            const Word* label = text.Find(quib::DisplayLabel(n));
            ASSERT_NE(label, nullptr);
            const int cx = (NodeTable[n].gridX + 12) * 8 * scale;
            const int cy = 20 * scale * NodeTable[n].level - 110 * scale;
            EXPECT_NEAR(label->xMin, PointsRight(cx + 3 * scale), 1.0);
            EXPECT_NEAR(label->yMin, PointsDown(cy + d), 1.0);
        }

        // The page ends a small margin beyond the farthest text.
        double right = 0, bottom = 0;
        for (const Word& word : text.words) {
            right = std::max(right, word.xMax);
            bottom = std::max(bottom, word.yMax);
        }
        EXPECT_GT(text.width, right);
        EXPECT_LT(text.width, right + 0.2 * 72);
        EXPECT_GT(text.height, bottom);
        EXPECT_LT(text.height, bottom + 0.2 * 72);
    }
}

TEST_F(Export, PdfAndSvgHoldRealText) {
    const std::string pdf = Out("p.pdf"), svg = Out("p.svg");
    ASSERT_EQ(Quib({"--export", pdf, "--import", m_import, "--record", "2", m_data}).status, 0);
    ASSERT_EQ(Quib({"--export", svg, "--import", m_import, "--record", "2", m_data}).status, 0);

    const PdfText text = ReadPdfText(pdf);
    std::vector<std::string> summaries;
    for (const Word& word : text.words)
        if (word.text == "Record")
            summaries.push_back(text.LineFrom(word));
    const std::string zeros = " 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0>";
    // The imported line stands above the primary one.
    EXPECT_EQ(summaries,
              (std::vector<std::string>{"Record nr 102 < 7" + zeros, "Record nr 102 < 5" + zeros}));
    EXPECT_NE(text.Find("abcde"), nullptr);

    const std::string svgText = ReadWholeFile(svg);
    EXPECT_NE(svgText.find(">Record nr 102 &lt; 5 0 0"), std::string::npos);
    EXPECT_NE(svgText.find(">abcde</text>"), std::string::npos);
    EXPECT_NE(svgText.find(">{}</text>"), std::string::npos);
}

// Record 101 has no partner in the import, which holds 102 and 103: its
// imported diagram shows "/" in every node; 103 shows its own partner.
TEST_F(Export, ImportedRecordsStandBesideTheirOwnNumbers) {
    const std::string import = m_dir.Write("gap.dat", "DIM=32\n(102) 7\n(103) 9\n");
    const std::string alone = Out("alone.pdf"), paired = Out("paired.pdf");
    ASSERT_EQ(Quib({"--export", alone, "--import", import, "--record", "1", m_data}).status, 0);
    ASSERT_EQ(Quib({"--export", paired, "--import", import, "--record", "3", m_data}).status, 0);

    const PdfText first = ReadPdfText(alone);
    std::string missing;
    for (int n = 0; n < 32; ++n)
        missing += " -32001";
    ASSERT_NE(first.Find("Record"), nullptr);
    EXPECT_EQ(first.LineFrom(*first.Find("Record")), "Record nr 101 <" + missing + ">");
    EXPECT_EQ(std::count_if(first.words.begin(), first.words.end(),
                            [](const Word& word) { return word.text == "/"; }),
              32);

    const PdfText third = ReadPdfText(paired);
    ASSERT_NE(third.Find("Record"), nullptr);
    EXPECT_EQ(third.LineFrom(*third.Find("Record")),
              "Record nr 103 < 9 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0>");
    EXPECT_EQ(third.Find("/"), nullptr);
}

// A position outside the file is clamped, and told.
TEST_F(Export, RecordIsClampedAsGotoClampsIt) {
    const std::string first = "quib: the file has 3 records; writing record 1\n";
    const std::string last = "quib: the file has 3 records; writing record 3\n";
    const std::tuple<const char*, const char*, std::string> cases[] = {
        {"0", "101", first},
        {"1", "101", ""},
        {"2", "102", ""},
        {"3", "103", ""},
        {"4", "103", last},
        {"-7", "101", first},
        {"99999999999", "103", last}};
    for (const auto& [position, number, told] : cases) {
        SCOPED_TRACE(position);
        const std::string pdf = Out("r.pdf");
        const ProcessResult r = Quib({"--export", pdf, "--record", position, m_data});
        ASSERT_EQ(r.status, 0);
        EXPECT_EQ(r.err, told);
        const ProcessResult plain = RunProcess(kPdfToText, {"-layout", pdf, "-"});
        EXPECT_NE(plain.out.find(std::string("Record nr ") + number + " <"), std::string::npos)
            << plain.out;
    }
    // A range tells what it writes, once, whichever end was clamped.
    const std::pair<const char*, std::string> ranges[] = {
        {"0-9", "quib: the file has 3 records; writing records 1 to 3\n"},
        {"2-9", "quib: the file has 3 records; writing records 2 to 3\n"},
        {"-5-2", "quib: the file has 3 records; writing records 1 to 2\n"},
        {"5-9", last},
        {"1-3", ""}};
    for (const auto& [range, told] : ranges) {
        const ProcessResult r = Quib({"--export", Out("r.pdf"), "--records", range, m_data});
        ASSERT_EQ(r.status, 0);
        EXPECT_EQ(r.err, told) << range;
    }
    const std::string one = m_dir.Write("one.dat", "DIM=32\n(1) 1\n");
    EXPECT_EQ(Quib({"--export", Out("r.pdf"), "--record", "2", one}).err,
              "quib: the file has 1 record; writing record 1\n");
}

// Mean grey difference, 0 to 255, of two pictures seen at half their size,
// where antialiasing no longer tells two resolutions apart.
double MeanDifference(const QImage& a, const QImage& b) {
    const QSize half = a.size() / 2;
    const QImage x = a.scaled(half, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage y = b.scaled(half, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    double sum = 0;
    for (int row = 0; row < half.height(); ++row)
        for (int column = 0; column < half.width(); ++column)
            sum += std::abs(qGray(x.pixel(column, row)) - qGray(y.pixel(column, row)));
    return sum / (half.width() * half.height());
}

QImage Shifted(const QImage& image, int dx) {
    QImage out(image.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter(&out).drawImage(dx, 0, image);
    return out;
}

TEST_F(Export, PngAtTwiceTheDpiIsTheSamePictureAtTwiceThePixels) {
    const std::string png96 = Out("96.png"), png192 = Out("192.png");
    ASSERT_EQ(Quib({"--export", png96, "--highlight", "--import", m_import, m_data}).status, 0);
    ASSERT_EQ(
        Quib({"--export", png192, "--dpi", "192", "--highlight", "--import", m_import, m_data})
            .status,
        0);
    const QImage small(QString::fromStdString(png96));
    const QImage large(QString::fromStdString(png192));
    ASSERT_FALSE(small.isNull());
    ASSERT_FALSE(large.isNull());
    EXPECT_NEAR(large.width(), 2 * small.width(), 4);
    EXPECT_NEAR(large.height(), 2 * small.height(), 2);
    EXPECT_EQ(small.dotsPerMeterX(), 3780);
    EXPECT_EQ(large.dotsPerMeterY(), 7559);
    EXPECT_EQ(small.pixel(small.width() - 1, small.height() - 1), qRgb(255, 255, 255));

    const QImage reduced =
        large.scaled(small.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const double same = MeanDifference(small, reduced);
    // The same picture two logical units off must differ clearly more.
    const double misplaced = MeanDifference(small, Shifted(small, 2));
    EXPECT_LT(same, 6.0);
    EXPECT_LT(same * 1.5, misplaced);
}

// --size fits the whole picture inside N by N pixels, aspect kept: the
// picture at 96 dpi scaled down by Qt to the same size looks the same, where
// a part of it or a stretched one would not.
TEST_F(Export, SizeFitsTheWholePictureInsideTheSquare) {
    const std::vector<std::string> picture = {"--highlight", "--import", m_import, m_data};
    std::vector<std::string> args = {"--export", Out("whole.png")};
    args.insert(args.end(), picture.begin(), picture.end());
    ASSERT_EQ(Quib(args).status, 0);
    const QImage whole(QString::fromStdString(Out("whole.png")));
    ASSERT_FALSE(whole.isNull());
    for (const int side : {16, 300, 1000}) {
        SCOPED_TRACE(side);
        args = {"--export", Out("fitted.png"), "--size", std::to_string(side)};
        args.insert(args.end(), picture.begin(), picture.end());
        const ProcessResult r = Quib(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        const QImage fitted(QString::fromStdString(Out("fitted.png")));
        ASSERT_FALSE(fitted.isNull());
        EXPECT_EQ(fitted.width(), side);
        EXPECT_NEAR(fitted.height(), double(side) * whole.height() / whole.width(), 2.0);
        if (side < 100)
            continue;
        const QImage scaled =
            whole.scaled(fitted.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QImage part = whole.copy(QRect(QPoint(0, 0), fitted.size()));
        const double same = MeanDifference(fitted, scaled);
        EXPECT_LT(same, 6.0);
        EXPECT_LT(same * 2, MeanDifference(fitted, part));
    }
}

// --size reads FILE only as far as the record it draws: a later line that
// would warn is never read, the picture is that of the file cut after the
// record, and a pipe whose writer has given the record and holds it open is
// not waited on.
TEST_F(Export, SizeReadsNoFurtherThanTheRecordItDraws) {
    const std::string head = "DIM=32\n(7) 1 2 3\n(8) 4 5 6\n";
    const std::string file = m_dir.Write("later.dat", head + "DIM=30\n(9) 7\n");
    const std::string cut = m_dir.Write("cut.dat", head);
    const auto thumbnail = [this](const std::string& path, const char* record) {
        const ProcessResult r =
            Quib({"--export", Out("t.png"), "--size", "256", "--record", record, path});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "") << record;
        return ReadWholeFile(Out("t.png"));
    };
    const std::string second = thumbnail(file, "2");
    EXPECT_EQ(second, thumbnail(cut, "2"));
    EXPECT_NE(second, thumbnail(file, "1"));
    const ProcessResult third =
        Quib({"--export", Out("t.png"), "--size", "256", "--record", "3", file});
    EXPECT_EQ(third.err,
              "quib: " + file + ": This file has the wrong dimension. Should be 26 or 32\n");

    // Opened for reading and writing, the pipe never waits for its other end;
    // held open here (and not handed to the program), a read to its end would
    // wait until it is closed.
    const std::string pipe = Out("pipe");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const int fd = open(pipe.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, head.data(), head.size()), ssize_t(head.size()));
    auto run = std::async(std::launch::async, [&] {
        return Quib({"--export", Out("piped.png"), "--size", "64", pipe});
    });
    const bool ended = run.wait_for(std::chrono::seconds(60)) == std::future_status::ready;
    close(fd);
    EXPECT_TRUE(ended) << "the thumbnail waited for the rest of the pipe";
    EXPECT_EQ(run.get().status, 0);
    EXPECT_TRUE(std::filesystem::exists(Out("piped.png")));
}

// An inch of the picture is the device's dots per inch: at scale 4 the
// circle of ab (centre 64, -280, radius 16) begins 0.48 inch from the left
// edge, and the circle of abcde (centre 352, -40) 0.49 inch from the top.
TEST_F(Export, AnInchIsTheResolutionsDotsPerInch) {
    const auto dark = [](const QImage& image, int x, int y) {
        return qGray(image.pixel(x, y)) < 128;
    };
    for (const int dpi : {100, 300}) {
        SCOPED_TRACE(dpi);
        const std::string png = Out("inch.png");
        ASSERT_EQ(Quib({"--export", png, "--dpi", std::to_string(dpi), m_data}).status, 0);
        const QImage image(QString::fromStdString(png));
        ASSERT_FALSE(image.isNull());
        int left = 0;
        while (left < image.width() && !dark(image, left, int(3.05 * dpi)))
            ++left;
        EXPECT_NEAR(left, 0.48 * dpi, 1.5);
        // Below the summary line, which ends above a third of an inch.
        int top = int(0.35 * dpi);
        while (top < image.height() && !dark(image, int(3.52 * dpi), top))
            ++top;
        EXPECT_NEAR(top, 0.49 * dpi, 1.5);
    }
}

TEST_F(Export, BadArgumentsAreRefusedWithTheirReasonAndWriteNothing) {
    const std::string png = Out("x.png");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--export", Out("x.gif"), m_data},
         "cannot tell the picture format of '" + Out("x.gif") + "': use .png, .svg or .pdf"},
        {{"--export", Out("noextension"), m_data},
         "cannot tell the picture format of '" + Out("noextension") + "': use .png, .svg or .pdf"},
        {{"--export", png, "--scale", "0", m_data}, "scale '0' is not 1, 2, 3 or 4"},
        {{"--export", png, "--scale", "5", m_data}, "scale '5' is not 1, 2, 3 or 4"},
        {{"--export", png, "--scale", "four", m_data}, "scale 'four' is not 1, 2, 3 or 4"},
        {{"--export", png, "--record", "abc", m_data}, "record 'abc' is not a number"},
        {{"--export", png, "--record", "1x", m_data}, "record '1x' is not a number"},
        {{"--export", png, "--record", "", m_data}, "record '' is not a number"},
        {{"--export", png, "--dpi", "0", m_data}, "dpi '0' is not a number from 10 to 1200"},
        {{"--export", png, "--dpi", "96dpi", m_data},
         "dpi '96dpi' is not a number from 10 to 1200"},
        {{"--export", png, "--record"}, "option '--record' needs a number"},
        {{"--export", png}, "missing FILE"},
        {{"--export"}, "option '--export' needs an output file"},
        {{"--export", png, "--frobnicate", m_data}, "unknown option '--frobnicate'"},
        {{"--export", png, m_data, m_data}, "unexpected argument '" + m_data + "'"},
        {{"--export", png, "--size", "15", m_data}, "size '15' is not a number from 16 to 4096"},
        {{"--export", png, "--size", "4097", m_data},
         "size '4097' is not a number from 16 to 4096"},
        {{"--export", png, "--size", m_data},
         "size '" + m_data + "' is not a number from 16 to 4096"},
        {{"--export", Out("x.svg"), "--size", "64", m_data}, "option '--size' is only for a PNG"},
        {{"--export", png, "--size", "64", "--dpi", "96", m_data},
         "options '--size' and '--dpi' do not go together"},
        {{"--export", png, "--records", "1-1", "--size", "64", m_data},
         "options '--size' and '--records' do not go together"},
        {{"--export", png, "--size", "64", "--record", "0", m_data},
         "option '--size' needs a --record of 1 or more"},
        {{"--summary", "--size", "64", m_data}, "unknown option '--size'"},
    };
    for (const auto& [args, reason] : cases) {
        SCOPED_TRACE(reason);
        const ProcessResult r = Quib(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, "quib: " + reason + "\nTry 'quib --help'.\n");
        EXPECT_EQ(r.out, "");
    }
    for (const char* name : {"x.gif", "noextension", "x.png", "x.svg"})
        EXPECT_FALSE(std::filesystem::exists(Out(name))) << name;
}

TEST_F(Export, UnreadableFileAndUnwritableOutput) {
    ProcessResult r = Quib({"--export", Out("x.png"), Out("missing.dat")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "quib: cannot open '" + Out("missing.dat") + "': No such file or directory\n");
    EXPECT_FALSE(std::filesystem::exists(Out("x.png")));

    for (const char* name : {"no/such/dir/x.png", "no/such/dir/x.svg", "no/such/dir/x.pdf"}) {
        r = Quib({"--export", Out(name), m_data});
        EXPECT_EQ(r.status, 1) << name;
        EXPECT_EQ(r.err, "quib: cannot write '" + Out(name) + "': No such file or directory\n");
    }
}

TEST_F(Export, EachFormatByItsExtensionWhateverTheCase) {
    const std::pair<const char*, std::string> cases[] = {
        {"a.PNG", "\x89PNG"}, {"a.svg", "<?xml"}, {"a.Pdf", "%PDF"}};
    for (const auto& [name, magic] : cases) {
        const ProcessResult r = Quib({"--export", Out(name), "--import", m_import, m_data});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(ReadWholeFile(Out(name)).substr(0, magic.size()), magic) << name;
    }
}

// One record of a file without any is the picture of no data; a range of
// them is nothing to write.
TEST_F(Export, NoDataShowsTheMessageAlone) {
    const std::string empty = m_dir.Write("empty.dat", "DIM=-1\n");
    const std::string pdf = Out("e.pdf");
    const std::string none = m_dir.Write("none.dat", "DIM=32\n");
    for (const char* range : {"all", "1-3"}) {
        const ProcessResult r = Quib({"--export", pdf, "--records", range, none});
        EXPECT_EQ(r.status, 3);
        EXPECT_EQ(r.err, "quib: the file has no records\n");
        EXPECT_FALSE(std::filesystem::exists(pdf));
    }
    ASSERT_EQ(Quib({"--export", pdf, "--import", m_import, empty}).status, 0);
    const PdfText text = ReadPdfText(pdf);
    ASSERT_EQ(text.words.size(), 3u);
    EXPECT_EQ(text.words[0].text + " " + text.words[1].text + " " + text.words[2].text,
              "No data available");
    EXPECT_NEAR(text.words[0].xMin, 0.10 * 72, 1.0);
    EXPECT_NEAR(text.words[0].yMin, 0.15 * 72, 1.0);
}

// A few records, scales, resolutions and imports, as the program drew them
// when the drawing lived in the window's view: the same to the pixel.
TEST_F(Export, PicturesStayTheSameToThePixel) {
    const std::string examples = QUIB_EXAMPLES, stored = QUIB_PICTURES;
    const std::string runA = examples + "/run-a.dat", repeat = examples + "/run-a-repeat.dat";
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"run-a-1", {runA}},
        {"run-a-17-paired-highlight-s3",
         {"--record", "17", "--scale", "3", "--highlight", "--import", repeat, runA}},
        {"run-b-5-import-s2",
         {"--record", "5", "--scale", "2", "--import", runA, examples + "/run-b.dat"}},
        {"run-a-2-twice-s1-192dpi",
         {"--record", "2", "--scale", "1", "--dpi", "192", "--import", repeat, "--import", repeat,
          runA}},
        {"no-data", {stored + "/no-data.dat"}},
    };
    for (const auto& [name, args] : cases) {
        SCOPED_TRACE(name);
        std::vector<std::string> command = {"--export", Out(name + ".png")};
        command.insert(command.end(), args.begin(), args.end());
        ASSERT_EQ(Quib(command).status, 0);
        const QImage drawn(QString::fromStdString(Out(name + ".png")));
        const QImage expected(QString::fromStdString(stored + "/" + name + ".png"));
        ASSERT_FALSE(expected.isNull());
        EXPECT_EQ(drawn.convertToFormat(QImage::Format_RGB32),
                  expected.convertToFormat(QImage::Format_RGB32));
    }
}

// Over ssh or from a script there may be no runtime folder: Qt's remarks on
// it are not the user's concern.
TEST_F(Export, PrintsNothingButItsOwnMessages) {
    const ProcessResult r =
        RunProcess(QUIB_EXECUTABLE, {"--export", Out("quiet.png"), m_data}, {"XDG_RUNTIME_DIR"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
}

// Several records: one PDF page each, all the same size, large enough for
// the widest (record 101's summary line with its three-digit values).
TEST_F(Export, RecordsGoToOnePdfPageEach) {
    const std::string pdf = Out("all.pdf");
    ASSERT_EQ(Quib({"--export", pdf, "--records", "all", m_data}).status, 0);
    const ProcessResult info = RunProcess("/usr/bin/pdfinfo", {"-f", "1", "-l", "3", pdf});
    ASSERT_EQ(info.status, 0);
    EXPECT_NE(info.out.find("Pages:           3\n"), std::string::npos) << info.out;
    std::smatch size;
    std::vector<std::string> sizes;
    for (auto it = info.out.cbegin();
         std::regex_search(it, info.out.cend(), size, std::regex("Page +[0-9] size: +([^\n]*)"));
         it = size.suffix().first)
        sizes.push_back(size[1]);
    ASSERT_EQ(sizes.size(), 3u);
    EXPECT_EQ(sizes[0], sizes[1]);
    EXPECT_EQ(sizes[1], sizes[2]);
    for (int page = 1; page <= 3; ++page) {
        const ProcessResult text = RunProcess(
            kPdfToText, {"-f", std::to_string(page), "-l", std::to_string(page), pdf, "-"});
        EXPECT_EQ(text.out.rfind("Record nr " + std::to_string(100 + page) + " <", 0), 0u)
            << text.out;
    }
    // A range is clamped at both ends as Goto clamps.
    ASSERT_EQ(Quib({"--export", pdf, "--records", "2-9", m_data}).status, 0);
    const ProcessResult clamped = RunProcess("/usr/bin/pdfinfo", {pdf});
    EXPECT_NE(clamped.out.find("Pages:           2\n"), std::string::npos) << clamped.out;
}

TEST_F(Export, RecordsToPicturesNamedByTheirPositions) {
    std::string many = "DIM=32\n";
    for (int k = 1; k <= 12; ++k)
        many += "(" + std::to_string(k) + ") " + std::to_string(k) + "\n";
    const std::string data = m_dir.Write("twelve.dat", many);
    ASSERT_EQ(Quib({"--export", Out("p-%d.svg"), "--records", "8-all", data}).status, 2);
    ASSERT_EQ(Quib({"--export", Out("p-%d.svg"), "--records", "8-12", data}).status, 0);
    for (int k = 8; k <= 12; ++k) {
        const std::string name =
            Out("p-" + std::string(k < 10 ? "0" : "") + std::to_string(k) + ".svg");
        EXPECT_NE(ReadWholeFile(name).find(">Record nr " + std::to_string(k) + " &lt;"),
                  std::string::npos)
            << name;
    }
    EXPECT_FALSE(std::filesystem::exists(Out("p-07.svg")));
    EXPECT_FALSE(std::filesystem::exists(Out("p-13.svg")));
    ASSERT_EQ(Quib({"--export", Out("all-%d.png"), "--records", "all", data}).status, 0);
    EXPECT_TRUE(std::filesystem::exists(Out("all-01.png")));
    EXPECT_TRUE(std::filesystem::exists(Out("all-12.png")));
}

TEST_F(Export, RecordRangesThatCannotBeDrawnAreUsageErrors) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--export", Out("one.png"), "--records", "1-2", m_data},
         "several records need a PDF, or '%d' in the name of '" + Out("one.png") + "'"},
        {{"--export", Out("one.svg"), "--records", "all", m_data},
         "several records need a PDF, or '%d' in the name of '" + Out("one.svg") + "'"},
        {{"--export", Out("r.pdf"), "--records", "3-1", m_data},
         "records '3-1' is not a range A-B of positions, A not above B, or 'all'"},
        {{"--export", Out("r.pdf"), "--records", "1:3", m_data},
         "records '1:3' is not a range A-B of positions, A not above B, or 'all'"},
        {{"--export", Out("r.pdf"), "--records", "1-", m_data},
         "records '1-' is not a range A-B of positions, A not above B, or 'all'"},
        {{"--export", Out("r.pdf"), "--record", "1", "--records", "1-2", m_data},
         "give one of '--record' and '--records'"},
        {{"--export", Out("r.pdf"), "--records"}, "option '--records' needs a range"},
    };
    for (const auto& [args, reason] : cases) {
        SCOPED_TRACE(reason);
        const ProcessResult r = Quib(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, "quib: " + reason + "\nTry 'quib --help'.\n");
    }
    for (const char* name : {"one.png", "one.svg", "r.pdf"})
        EXPECT_FALSE(std::filesystem::exists(Out(name))) << name;
}

// Nothing writes over a data file, whatever its name; a full device or a
// place that takes no file is told.
TEST_F(Export, FailedWritesLeaveNothingBehind) {
    const std::string named = m_dir.Write("data.pdf", ReadWholeFile(m_data));
    ProcessResult r = Quib({"--export", named, named});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "quib: cannot write '" + named + "': it is an open data file\n");
    EXPECT_EQ(ReadWholeFile(named), ReadWholeFile(m_data));

    const std::string full = Out("full.png");
    std::filesystem::create_symlink("/dev/full", full);
    r = Quib({"--export", full, m_data});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "quib: cannot write '" + full + "': No space left on device\n");

    r = Quib({"--export", "/proc/self/quib.png", m_data});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("quib: cannot write '/proc/self/quib.png': ", 0), 0u) << r.err;
}

// On a terminal a long export tells how far it has come, and clears the
// line at the end; elsewhere it says nothing.
TEST_F(Export, LongExportsShowTheirProgressOnATerminal) {
    // Progress shows after a second: the pages doubled until an export on a
    // terminal takes longer than that here, so that a slow build (the
    // sanitizers') does not export thousands of pages for it.
    const auto pagesOf = [this](int count) {
        std::string many = "DIM=32\n";
        for (int k = 1; k <= count; ++k)
            many += "(" + std::to_string(k) + ") " + std::to_string(k) + "\n";
        return m_dir.Write("many.dat", many);
    };
    int pages = 125;
    std::string data;
    ProcessResult tty;
    double seconds = 0;
    while (seconds < 1.5 && pages < 8000) {
        pages *= 2;
        data = pagesOf(pages);
        const std::string command = std::string(QUIB_EXECUTABLE) + " --export " + Out("many.pdf") +
                                    " --records all " + data;
        const auto started = std::chrono::steady_clock::now();
        tty = RunProcess("/usr/bin/script", {"-qec", command, "/dev/null"},
                         {"XDG_RUNTIME_DIR=" + m_dir.Path()});
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        ASSERT_EQ(tty.status, 0) << tty.out;
    }
    EXPECT_NE(tty.out.find(" of " + std::to_string(pages) + " pages"), std::string::npos)
        << pages << " pages in " << seconds << " s: " << tty.out;
    EXPECT_NE(tty.out.find("\r\033[K"), std::string::npos);
    const ProcessResult piped = Quib({"--export", Out("many.pdf"), "--records", "all", data});
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(piped.err, "");
}

} // namespace
