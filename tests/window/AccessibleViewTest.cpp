// The view as assistive technology reads it, and the keyboard's focus on its
// nodes: names, children and places checked against the example files
// themselves; the ring looked for in the view's own pixels.

#include "LatticeTables.h"
#include "ViewCommandFixture.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QImage>
#include <QStatusBar>
#include <QTest>

#include <fstream>
#include <sstream>

namespace {

// The subsets in node order: level by level, alphabetically within a level.
const char* const kLabels[32] = {"{}",  "a",   "b",    "c",    "d",    "e",    "ab",   "ac",
                                 "ad",  "ae",  "bc",   "bd",   "be",   "cd",   "ce",   "de",
                                 "abc", "abd", "abe",  "acd",  "ace",  "ade",  "bcd",  "bce",
                                 "bde", "cde", "abcd", "abce", "abde", "acde", "bcde", "abcde"};

// Record `number` of an example file as a person reads it: the values after
// "(number)" belong to the last nodes; with dimension 26 the empty set and
// the singletons read 0.
std::vector<int> ExampleRecord(const char* file, int number) {
    std::ifstream in(std::string(QUIB_EXAMPLES "/") + file);
    const std::string start = "(" + std::to_string(number) + ")";
    int dimension = 32;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("DIM=", 0) == 0)
            dimension = std::stoi(line.substr(4));
        if (line.rfind(start, 0) != 0)
            continue;
        std::istringstream values(line.substr(start.size()));
        std::vector<int> record(std::size_t(32 - dimension), 0);
        for (int v; values >> v;)
            record.push_back(v);
        return record;
    }
    return {};
}

std::string SummaryLine(int number, const std::vector<int>& values) {
    std::string line = "Record nr " + std::to_string(number) + " <";
    for (int v : values)
        line += " " + std::to_string(v);
    return line + ">";
}

class AccessibleViewTest : public ViewCommandFixture {
  protected:
    void StartOn(const char* example) {
        StartCounting(QStringLiteral(QUIB_EXAMPLES "/") + QLatin1String(example));
    }
    QAccessibleInterface* Tree() const { return QAccessible::queryAccessibleInterface(View()); }
    std::vector<std::string> ChildNames() const {
        std::vector<std::string> names;
        for (int i = 0; i < Tree()->childCount(); ++i)
            names.push_back(Tree()->child(i)->text(QAccessible::Name).toStdString());
        return names;
    }
    // "imported ab: 48, minimal" for a node with these marks.
    static std::vector<std::string> Expected(const std::vector<int>& values,
                                             const char* prefix = "",
                                             const std::vector<std::string>& minimal = {}) {
        std::vector<std::string> names;
        for (int n = 0; n < 32; ++n) {
            std::string name = prefix + std::string(kLabels[n]) + ": " +
                               (values[n] < -31999 ? "/" : std::to_string(values[n]));
            if (std::find(minimal.begin(), minimal.end(), kLabels[n]) != minimal.end())
                name += ", minimal";
            names.push_back(name);
        }
        return names;
    }
    std::string ViewName() const { return Tree()->text(QAccessible::Name).toStdString(); }

    // Pixels of the view in the ring's colour, as the screen shows it, and
    // the box they lie in.
    std::pair<int, QRect> RingPixels() const {
        const QImage shown = View()->grab().toImage();
        int count = 0;
        QRect box;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (const QColor c = shown.pixelColor(x, y); c.blue() > c.red() + 80) {
                    ++count;
                    box |= QRect(x, y, 1, 1);
                }
        return {count, box};
    }
    // Node n's circle centre at scale 4 on the screen: 32 units a grid step
    // right of x -12, 80 a level above -440, the view's top-left at (0, 25).
    QPoint CentreOnScreen(int node) const {
        const int x = (NodeTable[node].gridX + 12) * 32;
        const int y = NodeTable[node].level * 80 - 440;
        return View()->mapToGlobal(QPoint(int(x * View()->logicalDpiX() / 100.0),
                                          int((25 - y) * View()->logicalDpiY() / 100.0)));
    }
    std::string StatusMessage() const {
        return Frame()->statusBar()->currentMessage().toStdString();
    }
};

TEST_F(AccessibleViewTest, TheViewIsNamedByItsSummaryLineWithANodePerCircle) {
    StartOn("run-a.dat");
    const std::vector<int> first = ExampleRecord("run-a.dat", 1);
    ASSERT_EQ(first.size(), 32u);
    ASSERT_NE(Tree(), nullptr);
    EXPECT_EQ(Tree()->role(), QAccessible::Canvas);
    EXPECT_EQ(ViewName(), SummaryLine(1, first));
    ASSERT_EQ(Tree()->childCount(), 32);
    EXPECT_EQ(ChildNames(), Expected(first));

    // Each child where its circle is, and no bigger (16 units of radius).
    const int diameter = int(32 * View()->logicalDpiX() / 100.0) + 2;
    for (int n = 0; n < 32; ++n) {
        SCOPED_TRACE(kLabels[n]);
        QAccessibleInterface* node = Tree()->child(n);
        EXPECT_EQ(Tree()->indexOfChild(node), n);
        EXPECT_EQ(node->parent(), Tree());
        EXPECT_TRUE(node->rect().contains(CentreOnScreen(n))) << node->rect().x();
        EXPECT_LE(node->rect().width(), diameter);
        EXPECT_EQ(Tree()->childAt(CentreOnScreen(n).x(), CentreOnScreen(n).y()), node);
    }

    // Next record, then the highlight: what the picture shows, told.
    Run(ID_NAVIGATE_DOWN);
    const std::vector<int> second = ExampleRecord("run-a.dat", 2);
    EXPECT_EQ(ViewName(), SummaryLine(2, second));
    EXPECT_EQ(ChildNames(), Expected(second));
    Run(ID_NAVIGATE_UP);
    Run(ID_OPTIONS_HIGHLIGHT);
    // Positive with nothing positive directly below.
    EXPECT_EQ(ChildNames(), Expected(first, "", {"ad", "bd", "cd", "de"}));
    EXPECT_EQ(ViewName(), SummaryLine(1, first));
}

TEST_F(AccessibleViewTest, AnImportAddsItsDiagramsNodesWithTheirMarks) {
    StartOn("run-a.dat");
    Import(QStringLiteral(QUIB_EXAMPLES "/run-a-repeat.dat"));
    const std::vector<int> primary = ExampleRecord("run-a.dat", 1);
    const std::vector<int> imported = ExampleRecord("run-a-repeat.dat", 1);
    ASSERT_EQ(Tree()->childCount(), 64);
    EXPECT_EQ(ViewName(), SummaryLine(1, primary) + "; " + SummaryLine(1, imported));
    std::vector<std::string> names = Expected(primary);
    for (const std::string& name : Expected(imported, "imported "))
        names.push_back(name);
    EXPECT_EQ(ChildNames(), names);

    // Highlight Differences marks both diagrams' nodes; record 77 is one
    // the repeat tells differently.
    View()->findChild<QAction*>("highlightDifferences")->trigger();
    const auto stepTo = [this](int record) {
        while (View()->RecordIndex() + 1 < record)
            Run(ID_NAVIGATE_DOWN);
    };
    stepTo(77);
    const std::vector<int> read = ExampleRecord("run-a.dat", 77);
    const std::vector<int> reread = ExampleRecord("run-a-repeat.dat", 77);
    ASSERT_NE(read, reread);
    names = Expected(read);
    for (const std::string& name : Expected(reread, "imported "))
        names.push_back(name);
    for (int n = 0; n < 32; ++n) {
        const std::string differs = read[n] != reread[n] ? ", differs" : "";
        names[n] += differs;
        names[32 + n] += differs;
    }
    EXPECT_EQ(ChildNames(), names);

    // Record 85 (5 x 17) has no partner in the repeat: every imported value is "/".
    stepTo(85);
    names = ChildNames();
    EXPECT_EQ(std::vector<std::string>(names.begin() + 32, names.end()),
              Expected(std::vector<int>(32, -32001), "imported "));
}

TEST_F(AccessibleViewTest, TabMovesARingFromNodeToNodeAndTheArrowsStillStep) {
    StartOn("run-a.dat");
    const QImage plain = View()->grab().toImage();
    ASSERT_EQ(RingPixels().first, 0);
    const auto ringAround = [this](int node) {
        const auto [count, box] = RingPixels();
        const QRect circle =
            Tree()->child(node)->rect().translated(View()->mapFromGlobal(QPoint(0, 0)));
        // Outside the circle, a few pixels off, all round it.
        return count > 40 && circle.adjusted(-8, -8, 8, 8).contains(box) &&
               box.contains(circle.adjusted(2, 2, -2, -2));
    };
    const auto focused = [this](int node) {
        return Tree()->child(node)->state().focused && Tree()->focusChild() == Tree()->child(node);
    };

    PressKey(Qt::Key_Tab);
    EXPECT_TRUE(ringAround(0));
    EXPECT_TRUE(focused(0));
    EXPECT_EQ(StatusMessage(), "{}: 0");
    PressKey(Qt::Key_Tab);
    PressKey(Qt::Key_Tab);
    EXPECT_TRUE(ringAround(2));
    EXPECT_EQ(StatusMessage(), "b: 0");
    PressKey(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(ringAround(1));
    EXPECT_EQ(QApplication::focusWidget(), View());

    // Round the ends, the keyboard kept in the view.
    PressKey(Qt::Key_Backtab, Qt::ShiftModifier);
    PressKey(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(ringAround(31));
    PressKey(Qt::Key_Tab);
    EXPECT_TRUE(ringAround(0));
    EXPECT_EQ(QApplication::focusWidget(), View());

    // Right steps to record 2 with the focus on the same node: ad.
    for (int n = 0; n < 8; ++n)
        PressKey(Qt::Key_Tab);
    EXPECT_EQ(StatusMessage(), "ad: 9");
    EXPECT_EQ(PressKey(Qt::Key_Right).paints, 1);
    EXPECT_EQ(View()->RecordIndex(), 1);
    EXPECT_TRUE(ringAround(8));
    EXPECT_EQ(StatusMessage(), "ad: 72");

    // Escape leaves the nodes: the picture as it was, the message gone.
    PressKey(Qt::Key_Left);
    PressKey(Qt::Key_Escape);
    EXPECT_EQ(RingPixels().first, 0);
    EXPECT_EQ(View()->grab().toImage(), plain);
    EXPECT_FALSE(focused(8));
    EXPECT_EQ(StatusMessage(), "");
    EXPECT_EQ(View()->RecordIndex(), 0);
}

// Shift+Tab goes to the imported diagram's last node, scrolled into view;
// an import gone leaves the focus on the same node of the primary diagram.
TEST_F(AccessibleViewTest, TheImportedNodesFollowThePrimaryOnes) {
    StartOn("run-a.dat");
    Import(QStringLiteral(QUIB_EXAMPLES "/run-a-repeat.dat"));
    // The window narrower than the picture: the ring is scrolled into view.
    Frame()->resize(500, 400);
    ASSERT_TRUE(QTest::qWaitFor([this] { return Tree()->child(63)->state().offscreen; }));
    PressKey(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(Tree()->child(63)->state().focused);
    EXPECT_FALSE(Tree()->child(63)->state().offscreen);
    EXPECT_EQ(StatusMessage(),
              "imported abcde: " + std::to_string(ExampleRecord("run-a-repeat.dat", 1).at(31)));
    // The import gone, the same node of the primary diagram.
    ASSERT_NE(theApp.OpenDocumentFile(QStringLiteral(QUIB_EXAMPLES "/run-b.dat")), nullptr);
    ASSERT_EQ(Tree()->childCount(), 32);
    EXPECT_TRUE(Tree()->child(31)->state().focused);
    EXPECT_EQ(StatusMessage(), "abcde: " + std::to_string(ExampleRecord("run-b.dat", 101).at(31)));
}

} // namespace
