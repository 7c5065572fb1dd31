// The overview panel in the running application: opened from the view's
// context menu, its line on the current record, clicks and drags that go to
// records, and its modes.

#include "ColourScale.h"
#include "LatticeTables.h"
#include "OverviewCanvas.h"
#include "OverviewDocuments.h"
#include "PanelFixture.h"

#include <QMouseEvent>
#include <QRadioButton>
#include <QTest>

namespace {

using namespace quib;

class OverviewPanelTest : public PanelFixture {
  protected:
    // Opens the panel from the context menu and waits for its figure.
    void Open() {
        ContextMenu(QPoint(5, 5), QStringLiteral("Show Overview"));
        ASSERT_TRUE(OverviewPanel()->isVisible());
        ASSERT_TRUE(Built(OverviewPanel()));
        QCoreApplication::processEvents();
        ASSERT_NE(Figure(), nullptr);
    }
    OverviewCanvas* Canvas() const { return OverviewPanel()->OverviewView(); }
    const OverviewFigure* Figure() const {
        Grab(Canvas()); // lays the figure out at the canvas's size
        return Canvas()->Figure();
    }
    // The pixel columns of the line through abcde's row.
    std::vector<int> Marks() const {
        const QRect cells = Figure()->Cells();
        return BlackColumns(Grab(Canvas()), cells.top() + 1, cells.left(), cells.right());
    }
    int Record() const { return View()->Options().record; }
};

// Closed at start; the menu's last entries open it, and its line stands on
// the record shown, moved by Right. Clicking it leaves the keys with the
// view; closed, it drops its figure.
TEST_F(OverviewPanelTest, TheLineMarksTheRecordShownAndMovesWithRight) {
    Start(WriteDataFile("run.dat", 32, 500));
    ASSERT_FALSE(OverviewPanel()->isVisible());
    ASSERT_FALSE(HistoryPanel()->isVisible());
    EXPECT_TRUE(ContextMenu(QPoint(5, 5)).ends_with("|-|Show Statistics|Show Overview"));
    Open();
    EXPECT_EQ(Marks(), std::vector<int>{Figure()->XOfRecord(0)});
    for (int k = 1; k <= 3; ++k) {
        Press(Qt::Key_Right);
        EXPECT_EQ(Marks(), std::vector<int>{Figure()->XOfRecord(k)}) << k;
    }
    EXPECT_NE(Figure()->XOfRecord(3), Figure()->XOfRecord(0));
    Click(Canvas(), Figure()->Cells().center());
    EXPECT_TRUE(View()->hasFocus());
    const int clicked = Record();
    Press(Qt::Key_Right);
    EXPECT_EQ(Record(), clicked + 1);
    EXPECT_EQ(Marks(), std::vector<int>{Figure()->XOfRecord(clicked + 1)});

    EXPECT_NE(ContextMenu(QPoint(5, 5), QStringLiteral("Show Overview")).find("Show Overview"),
              std::string::npos);
    EXPECT_FALSE(OverviewPanel()->isVisible());
    EXPECT_EQ(Canvas()->Figure(), nullptr);
}

// The view's Values choice rebuilds the figure in the values chosen, and
// As Read brings the first figure back.
TEST_F(OverviewPanelTest, TheFigureFollowsTheValuesChosen) {
    Start(WriteDataFile("run.dat", 32, 300));
    Open();
    const QImage read = Grab(Canvas());
    const auto choose = [this](const char* name) {
        View()->findChild<QAction*>(name)->trigger();
        EXPECT_TRUE(Built(OverviewPanel())) << name;
        QCoreApplication::processEvents();
        return Grab(Canvas());
    };
    EXPECT_NE(choose("valuesMobius"), read);
    EXPECT_EQ(choose("valuesRead"), read);
}

// Counts the paints a widget gets.
class Paints : public QObject {
  public:
    explicit Paints(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::Paint;
        return false;
    }
};

// More records than pixel columns: a click a third of the way along shows
// the record a third of the way through, repainted before the click
// returns; a drag follows the mouse, past the ends to the first and the
// last record; a click beside the cells does nothing.
TEST_F(OverviewPanelTest, AClickOrADragGoesToItsPlaceInTheFile) {
    constexpr int kRecords = 3000;
    Start(WriteDataFile("run.dat", 26, kRecords));
    Open();
    const QRect cells = Figure()->Cells();
    const int run = kRecords / Figure()->Columns().Count() + 1;
    const Paints paints(View());
    Click(Canvas(), QPoint(cells.left() + cells.width() / 3, cells.center().y()));
    EXPECT_NEAR(Record(), kRecords / 3, run);
    EXPECT_GE(paints.count, 1);

    const auto send = [this](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent event(type, at, Canvas()->mapToGlobal(at), Qt::LeftButton, held,
                          Qt::NoModifier);
        QApplication::sendEvent(Canvas(), &event);
    };
    const int y = cells.center().y();
    send(QEvent::MouseButtonPress, QPoint(cells.left() + cells.width() / 2, y), Qt::LeftButton);
    EXPECT_NEAR(Record(), kRecords / 2, run);
    send(QEvent::MouseMove, QPoint(cells.left() + cells.width() * 2 / 3, cells.bottom() + 40),
         Qt::LeftButton);
    EXPECT_NEAR(Record(), kRecords * 2 / 3, run);
    send(QEvent::MouseMove, QPoint(cells.right() + 50, y), Qt::LeftButton);
    EXPECT_EQ(Record(), Figure()->Columns().Records(Figure()->Columns().Count() - 1).first);
    send(QEvent::MouseMove, QPoint(cells.left() - 50, y), Qt::LeftButton);
    EXPECT_EQ(Record(), 0);
    send(QEvent::MouseButtonRelease, QPoint(cells.left() - 50, y), Qt::NoButton);
    send(QEvent::MouseMove, QPoint(cells.center()), Qt::NoButton);
    EXPECT_EQ(Record(), 0);
    Click(Canvas(), QPoint(cells.center().x(), Canvas()->height() - 3));
    EXPECT_EQ(Record(), 0);
}

// Beside a record without a partner the difference is grey in every node
// that both files give; its neighbours are not. Without an import only the
// primary run can be chosen.
TEST_F(OverviewPanelTest, ARecordWithoutPartnerIsGreyInDifferenceMode) {
    std::string primary = "DIM=32\n", imported = "DIM=32\n";
    for (int number = 1; number <= 200; ++number) {
        primary += "(" + std::to_string(number) + ")";
        imported += number == 50 ? "" : "(" + std::to_string(number) + ")";
        for (int node = 0; node < kNodeCount; ++node) {
            primary += " " + std::to_string(number + node);
            imported += number == 50 ? "" : " " + std::to_string(number * 2 + node);
        }
        primary += "\n";
        imported += number == 50 ? "" : "\n";
    }
    Start(QString::fromStdString(m_dir.Write("primary.dat", primary)));
    Open();
    EXPECT_FALSE(OverviewPanel()->ModeButton(OverviewMode::Difference)->isEnabled());
    Import(QString::fromStdString(m_dir.Write("imported.dat", imported)));
    QRadioButton* difference = OverviewPanel()->ModeButton(OverviewMode::Difference);
    ASSERT_TRUE(difference->isEnabled());
    Click(difference, difference->rect().center());
    ASSERT_EQ(OverviewPanel()->Mode(), OverviewMode::Difference);
    ASSERT_TRUE(Built(OverviewPanel()));
    const QImage image = Grab(Canvas());
    const QRgb grey =
        qRgb(ColourScale::kMissing.r, ColourScale::kMissing.g, ColourScale::kMissing.b);
    for (const int node : {0, 6, 31}) {
        int y = Figure()->Cells().top();
        while (Figure()->NodeAt(QPoint(Figure()->Cells().left(), y)) != node)
            ++y;
        SCOPED_TRACE(DisplayLabel(node));
        EXPECT_EQ(image.pixel(Figure()->XOfRecord(49), y + 1), grey);
        EXPECT_NE(image.pixel(Figure()->XOfRecord(48), y + 1), grey);
        EXPECT_NE(image.pixel(Figure()->XOfRecord(50), y + 1), grey);
    }
    AfxGetApp()->OpenDocumentFile(QString::fromStdString(m_dir.Write("other.dat", primary)));
    EXPECT_EQ(OverviewPanel()->Mode(), OverviewMode::Primary);
    EXPECT_FALSE(difference->isEnabled());
    EXPECT_TRUE(OverviewPanel()->ModeButton(OverviewMode::Primary)->isChecked());
}

} // namespace
