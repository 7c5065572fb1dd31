// The find bar in the window: its count and error lines, the keys and
// buttons that step to the next or previous match, with a tone and no move
// where there is none, the keys that stay the view's, and Next and Previous
// Difference from the context menu.

#include "FindBar.h"
#include "ModalDriver.h"
#include "ViewCommandFixture.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QWindow>

#include <memory>

namespace {

using Tones = std::vector<std::pair<int, int>>;

// Six records whose node ab reads 100 to 600.
constexpr int kRecords = 6;

class FindBarTest : public ViewCommandFixture {
  protected:
    QDockWidget* Dock() const { return Frame()->findChild<QDockWidget*>("findBar"); }
    QLineEdit* Line() const { return Frame()->findChild<QLineEdit*>("findCondition"); }
    QString Status() const { return Frame()->findChild<QLabel*>("findStatus")->text(); }
    QString StatusBarMessage() const { return Frame()->findChild<QStatusBar*>()->currentMessage(); }
    QPushButton* Button(const char* name) const { return Frame()->findChild<QPushButton*>(name); }

    // Ctrl+F on the view, then the condition typed in place of the last.
    void Type(const QString& condition) {
        PressKey(Qt::Key_F, Qt::ControlModifier);
        ASSERT_TRUE(Dock()->isVisible());
        ASSERT_TRUE(Line()->hasFocus());
        QTest::keyClick(Line(), Qt::Key_Backspace);
        QTest::keyClicks(Line(), condition);
        // The bar's coming moved the view: that paint is not a step's.
        QCoreApplication::processEvents();
    }

    // A key in the condition's line: the record it leaves shown (1-based),
    // each move repainted once, a tone and no paint where there is none.
    void ExpectStep(Qt::Key key, Qt::KeyboardModifiers modifiers, int position) {
        const int before = View()->RecordIndex();
        const CommandEffect effect = Measure([&] { QTest::keyClick(Line(), key, modifiers); });
        EXPECT_EQ(View()->RecordIndex() + 1, position);
        const bool moved = View()->RecordIndex() != before;
        EXPECT_EQ(effect.paints, moved ? 1 : 0);
        EXPECT_EQ(effect.tones, moved ? Tones{} : Tones{kEndTone});
    }

    // The context menu's items after the view's own, each with its state.
    QStringList MenuItems() {
        QStringList items;
        ModalDriver read([&](QWidget*) {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            const QList<QAction*> actions = menu->actions();
            // The find bar's own entries, from the separator before them up
            // to the next group's.
            const qsizetype own = actions.indexOf(Frame()->findChild<QAction*>("findRecords"));
            for (qsizetype k = own - 1;
                 k < actions.size() && !(items.size() > 1 && actions[k]->isSeparator()); ++k)
                items << (actions[k]->isSeparator()
                              ? QStringLiteral("-")
                              : actions[k]->text() + (actions[k]->isEnabled() ? "" : " (off)"));
            menu->close();
        });
        QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(40, 40),
                                View()->mapToGlobal(QPoint(40, 40)));
        QApplication::sendEvent(View(), &event);
        return items;
    }
    QAction* PanelAction(const char* name) const { return Frame()->findChild<QAction*>(name); }
};

TEST_F(FindBarTest, CountsSpelledWithCommasAndTheRecordsWord) {
    EXPECT_EQ(quib::MatchCountText(1204, 320000), "1,204 of 320,000 records match");
    EXPECT_EQ(quib::MatchCountText(999, 1000), "999 of 1,000 records match");
    EXPECT_EQ(quib::MatchCountText(1, 1000000), "1 of 1,000,000 records matches");
    EXPECT_EQ(quib::MatchCountText(0, 1), "0 of 1 record match");
    EXPECT_EQ(quib::MatchCountText(0, 0), "No records to search");
}

// Closed at start; the count of a well-formed condition, the message of a
// malformed one as the command line words it.
TEST_F(FindBarTest, TellsHowManyRecordsMatchOrWhatIsWrong) {
    StartCounting(WriteDataFile("six.dat", 26, kRecords));
    ASSERT_NE(Dock(), nullptr);
    EXPECT_TRUE(Dock()->isHidden());
    // Not among the bars that the toolbar's own menu lists.
    const std::unique_ptr<QMenu> bars(Frame()->createPopupMenu());
    for (const QAction* action : bars->actions())
        EXPECT_FALSE(action->isVisible() && action->text().contains("Find"))
            << action->text().toStdString();
    Type("ab > 250");
    EXPECT_TRUE(TextBecomes([this] { return Status(); }, "4 of 6 records match"));
    Type("ab > abf");
    EXPECT_EQ(Status(), "column 6: unknown name 'abf'");
    EXPECT_FALSE(Button("findNext")->isEnabled());
    EXPECT_FALSE(Button("findPrevious")->isEnabled());
    Type("ab > 550");
    EXPECT_TRUE(TextBecomes([this] { return Status(); }, "1 of 6 records matches"));
    EXPECT_TRUE(Button("findNext")->isEnabled());
    // Ctrl+F in the line selects it whole.
    QTest::keyClick(Line(), Qt::Key_F, Qt::ControlModifier);
    QTest::keyClick(Line(), Qt::Key_Delete);
    EXPECT_EQ(Status(), "");
    // A condition on the imported run, while none is shown, says so; an
    // import makes it count.
    Type("imported.ab > 0");
    EXPECT_EQ(Status(), "the condition reads the imported run, but no file is imported");
    EXPECT_FALSE(Button("findNext")->isEnabled());
    Import(WriteDataFile("two.dat", 26, 2));
    EXPECT_TRUE(TextBecomes([this] { return Status(); }, "2 of 6 records match"));
}

// Matches at positions 2, 4 and 5.
TEST_F(FindBarTest, EnterAndF3StepForwardShiftBackTheToneAtEitherEnd) {
    StartCounting(WriteDataFile("six.dat", 26, kRecords));
    Type("ab = 200 or ab = 400 or ab = 500");
    ExpectStep(Qt::Key_Return, Qt::NoModifier, 2);
    ExpectStep(Qt::Key_Enter, Qt::KeypadModifier, 4);
    ExpectStep(Qt::Key_F3, Qt::NoModifier, 5);
    ExpectStep(Qt::Key_F3, Qt::NoModifier, 5);
    ExpectStep(Qt::Key_Return, Qt::ShiftModifier, 4);
    ExpectStep(Qt::Key_F3, Qt::ShiftModifier, 2);
    ExpectStep(Qt::Key_F3, Qt::ShiftModifier, 2);
    // The buttons do the same and leave the focus in the line.
    CommandEffect effect =
        Measure([this] { QTest::mouseClick(Button("findNext"), Qt::LeftButton); });
    EXPECT_EQ(View()->RecordIndex(), 3);
    EXPECT_EQ(effect.paints, 1);
    effect = Measure([this] { QTest::mouseClick(Button("findPrevious"), Qt::LeftButton); });
    EXPECT_EQ(View()->RecordIndex(), 1);
    EXPECT_TRUE(Line()->hasFocus());
    // A malformed condition moves nothing and sounds nothing.
    QTest::keyClicks(Line(), " or");
    effect = Measure([this] { QTest::keyClick(Line(), Qt::Key_Return); });
    EXPECT_EQ(View()->RecordIndex(), 1);
    EXPECT_EQ(effect.paints, 0);
    EXPECT_EQ(effect.tones, Tones{});
}

// Escape gives the view its keys back: the arrows step, F3 and Shift+F3 find
// with the last well-formed condition.
TEST_F(FindBarTest, EscapeClosesTheBarAndTheViewKeepsItsKeys) {
    StartCounting(WriteDataFile("six.dat", 26, kRecords));
    // Without a condition, F3 opens the bar.
    PressKey(Qt::Key_F3);
    EXPECT_TRUE(Dock()->isVisible());
    Type("ab = 200 or ab = 500");
    QTest::keyClicks(Line(), " and");
    QTest::keyClick(Line(), Qt::Key_Escape);
    EXPECT_TRUE(Dock()->isHidden());
    EXPECT_TRUE(View()->hasFocus());
    EXPECT_EQ(PressKey(Qt::Key_Right).paints, 1);
    EXPECT_EQ(View()->RecordIndex(), 1);
    CommandEffect effect = PressKey(Qt::Key_F3);
    EXPECT_EQ(View()->RecordIndex(), 4);
    EXPECT_EQ(effect.paints, 1);
    effect = PressKey(Qt::Key_F3);
    EXPECT_EQ(View()->RecordIndex(), 4);
    EXPECT_EQ(effect.tones, Tones{kEndTone});
    // The end of the search is told, not only sounded.
    EXPECT_EQ(StatusBarMessage(), "No matching record after this one");
    effect = PressKey(Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(View()->RecordIndex(), 1);
    EXPECT_EQ(effect.paints, 1);
    PressKey(Qt::Key_Left);
    EXPECT_EQ(View()->RecordIndex(), 0);
    EXPECT_TRUE(Dock()->isHidden());
}

// The count follows the document: another file, an import.
TEST_F(FindBarTest, MatchesFollowTheDocument) {
    StartCounting(WriteDataFile("six.dat", 26, kRecords));
    Type("ab > 300");
    EXPECT_TRUE(TextBecomes([this] { return Status(); }, "3 of 6 records match"));
    ASSERT_NE(theApp.OpenDocumentFile(WriteDataFile("ten.dat", 26, 10)), nullptr);
    EXPECT_TRUE(TextBecomes([this] { return Status(); }, "7 of 10 records match"));
    Type("partner or ab > 300");
    Import(WriteDataFile("two.dat", 26, 2));
    EXPECT_TRUE(TextBecomes([this] { return Status(); }, "9 of 10 records match"));
    Frame()->SendCommand(ID_FILE_NEW);
    Type("ab > 300");
    EXPECT_TRUE(TextBecomes([this] { return Status(); }, "No records to search"));
}

// Records 3 and 5 differ from their partners, 4 has none.
TEST_F(FindBarTest, NextAndPreviousDifferenceWhileAnImportIsShown) {
    StartCounting(WriteDataFile("six.dat", 26, kRecords));
    const QStringList offered = {"-", "Find Records...", "Next Difference (off)",
                                 "Previous Difference (off)"};
    EXPECT_EQ(MenuItems(), offered);
    std::string imported = "DIM=26\n";
    for (const int number : {1, 2, 3, 5, 6}) {
        imported += "(" + std::to_string(number) + ")";
        const bool differs = number == 3 || number == 5;
        for (int v = 0; v < 26; ++v)
            imported += " " + std::to_string(number * 100 + v + (differs && v == 7));
        imported += "\n";
    }
    Import(QString::fromStdString(m_dir.Write("import.dat", imported)));
    EXPECT_EQ(MenuItems(),
              QStringList({"-", "Find Records...", "Next Difference", "Previous Difference"}));
    const std::pair<const char*, int> steps[] = {{"nextDifference", 2},
                                                 {"nextDifference", 4},
                                                 {"nextDifference", 4},
                                                 {"previousDifference", 2},
                                                 {"previousDifference", 2}};
    for (const auto& [name, index] : steps) {
        SCOPED_TRACE(name);
        const int before = View()->RecordIndex();
        const CommandEffect effect = Measure([&] { PanelAction(name)->trigger(); });
        EXPECT_EQ(View()->RecordIndex(), index);
        EXPECT_EQ(effect.paints, before != index ? 1 : 0);
        EXPECT_EQ(effect.tones, before != index ? Tones{} : Tones{kEndTone});
        if (before == index) {
            EXPECT_EQ(StatusBarMessage(), QStringLiteral("No differing record %1 this one")
                                              .arg(name[0] == 'n' ? "after" : "before"));
        }
    }
    // Closing the menu need not give the window back its focus: under the
    // offscreen platform the hidden menu, which the view keeps, stays the
    // focus window, and the frame counts as active through it.
    Frame()->windowHandle()->requestActivate();
    ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == Frame(); }));
    PanelAction("findRecords")->trigger();
    EXPECT_TRUE(Dock()->isVisible());
    EXPECT_TRUE(Line()->hasFocus());
}

} // namespace
