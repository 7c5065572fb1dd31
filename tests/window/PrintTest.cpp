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

class PrintTest : public AppFixture {};

TEST_F(PrintTest, PrintsOnePageWithTheDrawingAtItsPhysicalSize) {
    Start(QStringLiteral(QUIB_EXAMPLES "/run-a.dat"));
    const std::string pdf = m_dir.Path() + "/printed.pdf";
    QPrinter& printer = theApp.GetPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));
    {
        ModalDriver print([](QWidget* w) {
            auto* dialog = qobject_cast<QPrintDialog*>(w);
            ASSERT_NE(dialog, nullptr);
            dialog->accept();
        });
        Frame()->SendCommand(ID_FILE_PRINT);
        ASSERT_TRUE(print.Ran());
    }
    const auto pages = ReadPages(pdf);
    ASSERT_EQ(pages.size(), 1u);
    const auto& words = pages[0];

    // Logical units are 1/100 inch, y upwards, the printable area's top-left
    // corner at (0, 25); a text stands by its top-left corner.
    const QPointF corner = printer.pageLayout().paintRect(QPageLayout::Point).topLeft();
    const auto expectAt = [&](const std::string& text, int x, int y) {
        SCOPED_TRACE(text);
        const auto found = words.find(text);
        ASSERT_NE(found, words.end());
        EXPECT_NEAR(found->second.xMin, corner.x() + x * 0.72, 1.5);
        EXPECT_NEAR(found->second.yMin, corner.y() + (25 - y) * 0.72, 2.5);
    };
    // The summary line, then the labels of the empty set and of ABCDE at scale 4.
    expectAt("Record", 10, 10);
    expectAt("{}", 364, -448);
    expectAt("abcde", 364, -48);
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
