// The node history panel in the running application: opened from the
// context menu on a node, the values of both runs drawn where the plot's
// axes say, the current record marked, a click going there.

#include "HistoryCanvas.h"
#include "HistoryPlot.h"
#include "LatticeTables.h"
#include "PanelFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace quib;

constexpr int kAb = 6;

class HistoryPanelTest : public PanelFixture {
  protected:
    // Primary record k has the value k at ab, its partner 3k; record 100
    // has none, and nothing is missing.
    void StartWithTwoRuns(int records) {
        std::string primary = "DIM=32\n", imported = "DIM=32\n";
        for (int k = 1; k <= records; ++k) {
            const auto line = [&](int ab) {
                std::string text = "(" + std::to_string(k) + ")";
                for (int node = 0; node < kNodeCount; ++node)
                    text += " " + std::to_string(node == kAb ? ab : 1);
                return text + "\n";
            };
            primary += line(k);
            if (k != 100)
                imported += line(3 * k);
        }
        Start(QString::fromStdString(m_dir.Write("primary.dat", primary)));
        Import(QString::fromStdString(m_dir.Write("imported.dat", imported)));
    }
    HistoryCanvas* Canvas() const { return HistoryPanel()->HistoryView(); }
    const HistoryPlot* Plot() const {
        Grab(Canvas());
        return Canvas()->Plot();
    }
    // Whether a pixel within a pixel of (x, y) has the colour.
    static bool Near(const QImage& image, int x, int y, const QColor& colour) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (image.pixel(x + dx, y + dy) == colour.rgb())
                    return true;
        return false;
    }
};

// On a node the menu offers its history, named as drawn; elsewhere not.
TEST_F(HistoryPanelTest, TheMenuOnANodeOpensItsHistory) {
    StartWithTwoRuns(300);
    EXPECT_TRUE(ContextMenu(NodeCentre(kAb))
                    .ends_with("|-|Show Statistics|Show Overview|Show History of ab"));
    EXPECT_EQ(ContextMenu(QPoint(5, 5)).find("History"), std::string::npos);
    ASSERT_FALSE(HistoryPanel()->isVisible());
    ContextMenu(NodeCentre(31), QStringLiteral("Show History of abcde"));
    EXPECT_TRUE(HistoryPanel()->isVisible());
    EXPECT_EQ(HistoryPanel()->Node(), 31);
    EXPECT_EQ(HistoryPanel()->windowTitle(), QStringLiteral("History of abcde"));
}

// The primary values in blue where the value axis puts them, the partners'
// three times as large in orange, none beside the record without one; the
// line on the record shown; a click half way along goes half way.
TEST_F(HistoryPanelTest, BothRunsAreDrawnWhereTheAxesSayAndAClickGoesThere) {
    constexpr int kRecords = 300;
    StartWithTwoRuns(kRecords);
    ContextMenu(NodeCentre(kAb), QStringLiteral("Show History of ab"));
    ASSERT_TRUE(Built(HistoryPanel()));
    const QImage image = Grab(Canvas());
    const HistoryPlot* plot = Plot();
    ASSERT_NE(plot, nullptr);
    for (const int k : {2, 98, 149, 299}) {
        SCOPED_TRACE(k);
        const int x = plot->XOfRecord(k);
        EXPECT_TRUE(Near(image, x, plot->YOfValue(k + 1), HistoryPlot::kPrimaryColour));
        EXPECT_TRUE(Near(image, x, plot->YOfValue(3 * (k + 1)), HistoryPlot::kImportedColour));
    }
    // Where the partner is missing its line breaks: no orange there.
    EXPECT_FALSE(
        Near(image, plot->XOfRecord(99), plot->YOfValue(300), HistoryPlot::kImportedColour));
    EXPECT_EQ(
        BlackColumns(image, plot->Plot().center().y(), plot->Plot().left(), plot->Plot().right()),
        std::vector<int>{plot->XOfRecord(0)});

    Click(Canvas(),
          QPoint(plot->Plot().left() + plot->Plot().width() / 2, plot->Plot().center().y()));
    EXPECT_NEAR(View()->Options().record, kRecords / 2, 1);
    EXPECT_EQ(BlackColumns(Grab(Canvas()), plot->Plot().center().y(), plot->Plot().left(),
                           plot->Plot().right()),
              std::vector<int>{plot->XOfRecord(View()->Options().record)});
}

} // namespace
