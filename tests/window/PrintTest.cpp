// Printing through the print flow onto a PDF file, read back with poppler;
// print preview.

#include "AppFixture.h"
#include "ModalDriver.h"
#include "Process.h"
#include "View.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>

#include <algorithm>
#include <map>

namespace {

struct Word {
    double xMin, yMin, xMax, yMax;
};

// Words of each page, as pdftotext -bbox gives them, in points from the
// page's top-left corner.
std::vector<std::multimap<std::string, Word>> ReadPages(const std::string& pdf) {
    const ProcessResult result = RunProcess("/usr/bin/pdftotext", {"-bbox", pdf, "-"});
    EXPECT_EQ(result.status, 0) << result.err;
    std::vector<std::multimap<std::string, Word>> pages;
    static const QRegularExpression tag(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    auto match = tag.globalMatch(QString::fromStdString(result.out));
    while (match.hasNext()) {
        const auto m = match.next();
        if (m.captured(0) == "<page ") {
            pages.emplace_back();
            continue;
        }
        if (pages.empty())
            continue;
        pages.back().insert({m.captured(5).toStdString(),
                             {m.captured(1).toDouble(), m.captured(2).toDouble(),
                              m.captured(3).toDouble(), m.captured(4).toDouble()}});
    }
    return pages;
}

class PrintTest : public AppFixture {
  protected:
    // File Print onto a PDF file on `paper`: the words of its pages, and the
    // printable area in points from the page's top-left corner.
    std::vector<std::multimap<std::string, Word>> Print(QPageSize::PageSizeId paper,
                                                        QRectF& printable) {
        const std::string pdf = m_dir.Path() + "/printed.pdf";
        QPrinter& printer = theApp.GetPrinter();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
        printer.setPageSize(QPageSize(paper));
        {
            ModalDriver print([](QWidget* w) {
                auto* dialog = qobject_cast<QPrintDialog*>(w);
                ASSERT_NE(dialog, nullptr);
                dialog->accept();
            });
            Frame()->SendCommand(ID_FILE_PRINT);
            EXPECT_TRUE(print.Ran());
        }
        printable = printer.pageLayout().paintRect(QPageLayout::Point);
        return ReadPages(pdf);
    }
};

// Logical units are 1/100 inch, 0.72 points; y grows upwards.
constexpr double kPoints = 0.72;

TEST_F(PrintTest, PrintsOnePageWithTheDrawingAtItsPhysicalSize) {
    Start(QStringLiteral(QUIB_EXAMPLES "/run-a.dat"));
    QRectF printable;
    const auto pages = Print(QPageSize::A4, printable);
    ASSERT_EQ(pages.size(), 1u);
    const auto& words = pages[0];

    // The printable area's top-left corner is the logical point (0, 25); a
    // text stands by its top-left corner.
    const auto expectAt = [&](const std::string& text, int x, int y) {
        SCOPED_TRACE(text);
        const auto found = words.find(text);
        ASSERT_NE(found, words.end());
        EXPECT_NEAR(found->second.xMin, printable.left() + x * kPoints, 1.5);
        EXPECT_NEAR(found->second.yMin, printable.top() + (25 - y) * kPoints, 2.5);
    };
    // The summary line, then the labels of the empty set and of ABCDE at scale 4.
    expectAt("Record", 10, 10);
    expectAt("{}", 364, -448);
    expectAt("abcde", 364, -48);
}

// With an import the picture is about 13 inches wide: on A4 and on Letter it
// is scaled down, aspect kept, until it fits, its top-left corner at the
// printable area's; its texts shrink with it.
TEST_F(PrintTest, APictureWiderThanThePageIsScaledDownToFit) {
    Start(QStringLiteral(QUIB_EXAMPLES "/run-a.dat"));
    QRectF printable;
    const Word alone = Print(QPageSize::A4, printable).at(0).find("Record")->second;
    Import(QStringLiteral(QUIB_EXAMPLES "/run-a-repeat.dat"));
    // The words of a text in the order of one of their coordinates.
    const auto sorted = [](const std::multimap<std::string, Word>& words, const std::string& text,
                           double Word::*by) {
        std::vector<Word> found;
        for (auto [at, end] = words.equal_range(text); at != end; ++at)
            found.push_back(at->second);
        std::sort(found.begin(), found.end(),
                  [by](const Word& a, const Word& b) { return a.*by < b.*by; });
        return found;
    };
    for (const QPageSize::PageSizeId paper : {QPageSize::A4, QPageSize::Letter}) {
        SCOPED_TRACE(paper);
        const auto pages = Print(paper, printable);
        ASSERT_EQ(pages.size(), 1u);
        const auto& words = pages[0];
        double right = 0;
        for (const auto& [text, word] : words) {
            SCOPED_TRACE(text);
            EXPECT_GE(word.xMin, printable.left() - 0.5);
            EXPECT_GE(word.yMin, printable.top() - 0.5);
            EXPECT_LE(word.xMax, printable.right() + 0.5);
            EXPECT_LE(word.yMax, printable.bottom() + 0.5);
            right = std::max(right, word.xMax);
        }
        // Scaled to the printable width, no further.
        EXPECT_NEAR(right, printable.right(), 1.5);

        // Both diagrams, their empty sets 640 units apart at full size.
        const std::vector<Word> empty = sorted(words, "{}", &Word::xMin);
        const std::vector<Word> records = sorted(words, "Record", &Word::yMin);
        ASSERT_EQ(empty.size(), 2u);
        ASSERT_EQ(words.count("abcde"), 2u);
        ASSERT_EQ(records.size(), 2u);
        const double scale = (empty[1].xMin - empty[0].xMin) / (640 * kPoints);
        EXPECT_LT(scale, 0.7);
        EXPECT_NEAR(empty[0].xMin, printable.left() + scale * 364 * kPoints, 1.5);
        // The primary line at y = 10 and the empty set's label at -448; the
        // imported line 5 units below the top edge.
        EXPECT_NEAR(empty[0].yMin - records[1].yMin, scale * 458 * kPoints, 1.5);
        EXPECT_NEAR(records[0].yMin, printable.top() + scale * 5 * kPoints, 2.5);
        EXPECT_NEAR(records[1].xMax - records[1].xMin, scale * (alone.xMax - alone.xMin), 0.5);
    }
}

TEST_F(PrintTest, PreviewOpensWithOnePageAndCloses) {
    Start(QStringLiteral(QUIB_EXAMPLES "/run-a.dat"));
    int pages = -1;
    bool shown = false;
    {
        ModalDriver preview([&](QWidget* w) {
            auto* dialog = qobject_cast<QPrintPreviewDialog*>(w);
            ASSERT_NE(dialog, nullptr);
            shown = dialog->isVisible();
            if (auto* widget = dialog->findChild<QPrintPreviewWidget*>())
                pages = widget->pageCount();
            dialog->reject();
        });
        Frame()->SendCommand(ID_FILE_PRINT_PREVIEW);
        ASSERT_TRUE(preview.Ran());
    }
    EXPECT_TRUE(shown);
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
