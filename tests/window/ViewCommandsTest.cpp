// The navigation and option commands of the view: the index, the scale, the
// highlight and the font they leave, the tones they sound and the paints
// they make before they return.

#include "FontDialog.h"
#include "ModalDriver.h"
#include "RecordingDC.h"
#include "ViewCommandFixture.h"

#include <QFontDialog>
#include <QTest>

#include <cstring>
#include <tuple>

namespace {

using Tones = std::vector<std::pair<int, int>>;

struct Step {
    UINT command;
    int index;
    bool beeps;
};

class ViewCommandsTest : public ViewCommandFixture {
  protected:
    // Runs the steps in order from the current index: each one repaints
    // exactly once, and beeps at the end of the data only where told.
    void RunSteps(std::initializer_list<Step> steps) {
        int n = 0;
        for (const Step& step : steps) {
            SCOPED_TRACE("step " + std::to_string(++n));
            const CommandEffect effect = Run(step.command);
            EXPECT_EQ(View()->RecordIndex(), step.index);
            EXPECT_EQ(effect.paints, 1);
            EXPECT_EQ(effect.tones, step.beeps ? Tones{kEndTone} : Tones{});
        }
    }

    // The texts the view writes and the font selected for each.
    std::vector<RecordedCall> TextsDrawn() const {
        RecordingDC dc;
        View()->OnPrepareDC(&dc);
        View()->OnDraw(&dc);
        std::vector<RecordedCall> texts;
        for (const RecordedCall& call : dc.Calls())
            if (call.op == RecordedCall::Op::TextOut)
                texts.push_back(call);
        return texts;
    }
};

TEST_F(ViewCommandsTest, NextAndPreviousStopAtTheEndsWithATone) {
    StartCounting(WriteDataFile("three.dat", 26, 3));
    ASSERT_EQ(View()->RecordIndex(), 0);
    RunSteps({
        {ID_NAVIGATE_UP, 0, true},
        {ID_NAVIGATE_DOWN, 1, false},
        {ID_NAVIGATE_DOWN, 2, false},
        {ID_NAVIGATE_DOWN, 2, true},
        {ID_NAVIGATE_DOWN, 2, true},
        {ID_NAVIGATE_UP, 1, false},
        {ID_NAVIGATE_FIRST, 0, false},
        {ID_NAVIGATE_FIRST, 0, false},
        {ID_NAVIGATE_LAST, 2, false},
        {ID_NAVIGATE_LAST, 2, false},
    });
}

TEST_F(ViewCommandsTest, WithoutRecordsEveryStepStaysAtTheFirstPosition) {
    // No file at all, then a file with a dimension but no records.
    StartCounting();
    for (const char* name : {"", "empty.dat"}) {
        SCOPED_TRACE(name);
        if (*name != '\0') {
            ASSERT_NE(theApp.OpenDocumentFile(WriteDataFile(name, 32, 0)), nullptr);
        }
        RunSteps({
            {ID_NAVIGATE_DOWN, 0, true},
            {ID_NAVIGATE_UP, 0, true},
            {ID_NAVIGATE_FIRST, 0, false},
            {ID_NAVIGATE_LAST, 0, false},
        });
    }
}

TEST_F(ViewCommandsTest, OneRecordBeepsBothWays) {
    StartCounting(WriteDataFile("one.dat", 26, 1));
    RunSteps({
        {ID_NAVIGATE_DOWN, 0, true},
        {ID_NAVIGATE_UP, 0, true},
        {ID_NAVIGATE_LAST, 0, false},
    });
}

// Opening a file keeps the position where the file is long enough, and
// otherwise shows its last record: a file with records never shows as "/".
TEST_F(ViewCommandsTest, OpeningAFileShowsOneOfItsRecords) {
    StartCounting(WriteDataFile("five.dat", 26, 5));
    RunSteps({{ID_NAVIGATE_DOWN, 1, false}, {ID_NAVIGATE_DOWN, 2, false}});
    ASSERT_NE(theApp.OpenDocumentFile(WriteDataFile("ten.dat", 26, 10)), nullptr);
    EXPECT_EQ(View()->RecordIndex(), 2);
    RunSteps({{ID_NAVIGATE_LAST, 9, false}});
    ASSERT_NE(theApp.OpenDocumentFile(WriteDataFile("three.dat", 26, 3)), nullptr);
    EXPECT_EQ(View()->RecordIndex(), 2);
    EXPECT_EQ(TextsDrawn().back().text.substr(0, 30), "Record nr 3 < 0 0 0 0 0 0 300 ");

    // A file without records has no number to show and reads missing.
    ASSERT_NE(theApp.OpenDocumentFile(WriteDataFile("none.dat", 26, 0)), nullptr);
    EXPECT_EQ(View()->RecordIndex(), 0);
    std::string missing = "Record nr - <";
    for (int n = 0; n < 32; ++n)
        missing += " -32001";
    EXPECT_EQ(TextsDrawn().back().text, missing + ">");

    // File New keeps the position; Previous only checks the lower end.
    ASSERT_NE(theApp.OpenDocumentFile(WriteDataFile("six.dat", 26, 6)), nullptr);
    RunSteps({{ID_NAVIGATE_LAST, 5, false}});
    Frame()->SendCommand(ID_FILE_NEW);
    RunSteps({{ID_NAVIGATE_UP, 4, false}, {ID_NAVIGATE_DOWN, 0, true}});
}

TEST_F(ViewCommandsTest, LastStaysInThePrimaryDatasetWhateverTheImportHolds) {
    StartCounting(WriteDataFile("primary.dat", 26, 4));
    Import(WriteDataFile("longer.dat", 26, 9));
    ASSERT_EQ(Document()->Data().m_importedRecords.GetSize(), 9);
    RunSteps({
        {ID_NAVIGATE_LAST, 3, false},
        {ID_NAVIGATE_DOWN, 3, true},
    });
}

TEST_F(ViewCommandsTest, KeysAndHeldKeysStepOncePerPress) {
    StartCounting(WriteDataFile("six.dat", 26, 6));
    // Down is First and Up is Last, whatever the menu says.
    const std::pair<Qt::Key, int> keys[] = {
        {Qt::Key_Right, 1}, {Qt::Key_Right, 2}, {Qt::Key_Left, 1},
        {Qt::Key_Up, 5},    {Qt::Key_Down, 0},
    };
    for (const auto& [key, index] : keys) {
        SCOPED_TRACE(QKeySequence(key).toString().toStdString());
        const CommandEffect effect = PressKey(key);
        EXPECT_EQ(View()->RecordIndex(), index);
        EXPECT_EQ(effect.paints, 1);
        EXPECT_TRUE(effect.tones.empty());
    }

    // A held key: the first press and seven repeats, then the release. Each
    // repeat steps, sounds at the end and paints on its own.
    const CommandEffect held = Measure([this] {
        QTest::simulateEvent(View(), true, Qt::Key_Right, Qt::NoModifier, QString(), false);
        for (int repeat = 0; repeat < 7; ++repeat)
            QTest::simulateEvent(View(), true, Qt::Key_Right, Qt::NoModifier, QString(), true);
        QTest::simulateEvent(View(), false, Qt::Key_Right, Qt::NoModifier, QString(), false);
    });
    EXPECT_EQ(View()->RecordIndex(), 5);
    EXPECT_EQ(held.paints, 8);
    EXPECT_EQ(held.tones, Tones(3, kEndTone));
}

// Home and End as First and Last; the page keys ten records at a time,
// clamped with the end-of-data tone as Left and Right are.
TEST_F(ViewCommandsTest, HomeEndAndThePageKeysMoveThroughTheFile) {
    StartCounting(WriteDataFile("many.dat", 26, 25));
    const std::tuple<Qt::Key, int, bool> keys[] = {
        {Qt::Key_PageDown, 10, false}, {Qt::Key_PageDown, 20, false}, {Qt::Key_PageDown, 24, true},
        {Qt::Key_PageUp, 14, false},   {Qt::Key_Home, 0, false},      {Qt::Key_PageUp, 0, true},
        {Qt::Key_End, 24, false},
    };
    for (const auto& [key, index, tone] : keys) {
        SCOPED_TRACE(QKeySequence(key).toString().toStdString());
        const CommandEffect effect = PressKey(key);
        EXPECT_EQ(View()->RecordIndex(), index);
        EXPECT_EQ(effect.paints, 1);
        EXPECT_EQ(effect.tones, tone ? Tones{kEndTone} : Tones{});
    }
}

TEST_F(ViewCommandsTest, EveryRepaintIsDoneBeforeTheHandlerReturns) {
    StartCounting(WriteDataFile("two.dat", 26, 2));
    const int before = m_paints->Count();
    View()->OnNavigateDown();
    EXPECT_EQ(m_paints->Count(), before + 1);
    View()->OnOptionsHighlight();
    EXPECT_EQ(m_paints->Count(), before + 2);
}

TEST_F(ViewCommandsTest, ScaleStopsAtFourAndOneWithATone) {
    StartCounting(WriteDataFile("scale.dat", 26, 2));
    ASSERT_EQ(View()->Options().scale, 4);
    struct ScaleStep {
        UINT command;
        int scale;
        bool refused;
    };
    const ScaleStep steps[] = {
        {ID_OPTIONS_SCALE_LARGER, 4, true},   {ID_OPTIONS_SCALE_SMALLER, 3, false},
        {ID_OPTIONS_SCALE_SMALLER, 2, false}, {ID_OPTIONS_SCALE_SMALLER, 1, false},
        {ID_OPTIONS_SCALE_SMALLER, 1, true},  {ID_OPTIONS_SCALE_LARGER, 2, false},
    };
    int n = 0;
    for (const ScaleStep& step : steps) {
        SCOPED_TRACE("step " + std::to_string(++n));
        const CommandEffect effect = Run(step.command);
        EXPECT_EQ(View()->Options().scale, step.scale);
        EXPECT_EQ(effect.paints, step.refused ? 0 : 1);
        EXPECT_EQ(effect.tones, step.refused ? Tones{kScaleTone} : Tones{});
    }
    EXPECT_EQ(View()->RecordIndex(), 0);
}

TEST_F(ViewCommandsTest, HighlightTogglesWithItsCheckMark) {
    StartCounting();
    QAction* item = Action(ID_OPTIONS_HIGHLIGHT);
    for (bool on : {true, false, true, false}) {
        const CommandEffect effect = Run(ID_OPTIONS_HIGHLIGHT);
        EXPECT_EQ(View()->Options().highlight, on);
        EXPECT_EQ(effect.paints, 1);
        EXPECT_TRUE(effect.tones.empty());
        EXPECT_TRUE(item->isEnabled());
        EXPECT_EQ(item->isChecked(), on);
    }
}

TEST_F(ViewCommandsTest, TheChosenFontWritesEveryTextButTheNoDataMessage) {
    StartCounting(WriteDataFile("font.dat", 26, 2));
    QFont chosen(QStringLiteral("DejaVu Serif"), 14);
    chosen.setUnderline(true);
    chosen.setBold(true);
    ModalDriver driver([&](QWidget* w) {
        auto* dialog = qobject_cast<QFontDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        dialog->setCurrentFont(chosen);
        dialog->accept();
    });
    const CommandEffect effect = Run(ID_OPTIONS_FONT);
    ASSERT_TRUE(driver.Ran());
    EXPECT_EQ(effect.paints, 1);
    EXPECT_TRUE(effect.tones.empty());
    // 14 points on a screen of 96 pixels per inch: 18.7 pixels.
    EXPECT_STREQ(View()->Options().font.lfFaceName, "DejaVu Serif");
    EXPECT_EQ(View()->Options().font.lfHeight, -19);
    EXPECT_EQ(View()->Options().font.lfWeight, 700);
    EXPECT_EQ(View()->Options().font.lfUnderline, 1);

    // Labels, values and the summary line: 32 + 32 + 1 texts, all in it.
    RecordingDC dc;
    View()->OnPrepareDC(&dc);
    View()->OnDraw(&dc);
    int inChosenFont = 0;
    for (const RecordedCall& call : dc.Calls())
        if (call.op == RecordedCall::Op::TextOut) {
            ASSERT_NE(call.font, 0) << call.text;
            EXPECT_STREQ(dc.FontDescription(call.font).lfFaceName, "DejaVu Serif");
            ++inChosenFont;
        }
    EXPECT_EQ(inChosenFont, 65);

    // Without data the message keeps the surface's font.
    Frame()->SendCommand(ID_FILE_NEW);
    const std::vector<RecordedCall> texts = TextsDrawn();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "No data available");
    EXPECT_EQ(texts[0].font, 0);
}

TEST_F(ViewCommandsTest, ACancelledFontDialogChangesNothing) {
    StartCounting(WriteDataFile("font.dat", 26, 2));
    ModalDriver choose([](QWidget* w) {
        auto* dialog = qobject_cast<QFontDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        dialog->setCurrentFont(QFont(QStringLiteral("DejaVu Sans"), 13));
        dialog->accept();
    });
    Run(ID_OPTIONS_FONT);
    ASSERT_TRUE(choose.Ran());
    const LOGFONT before = View()->Options().font;
    QFont shown;
    ModalDriver driver([&](QWidget* w) {
        auto* dialog = qobject_cast<QFontDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        shown = dialog->currentFont();
        dialog->setCurrentFont(QFont(QStringLiteral("DejaVu Serif"), 30));
        dialog->reject();
    });
    const CommandEffect effect = Run(ID_OPTIONS_FONT);
    ASSERT_TRUE(driver.Ran());
    EXPECT_EQ(shown.family(), "DejaVu Sans");
    EXPECT_EQ(effect.paints, 0);
    EXPECT_TRUE(effect.tones.empty());
    const LOGFONT after = View()->Options().font;
    EXPECT_EQ(std::memcmp(&after, &before, sizeof before), 0);
}

} // namespace
