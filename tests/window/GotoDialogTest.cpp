// Goto and its record number dialog: the template's layout, the position
// offered, what typing and OK select, and the entries that are refused.

#include "DialogUnits.h"
#include "ModalDriver.h"
#include "ViewCommandFixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

QPushButton* Button(QWidget* dialog, const QString& text) {
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

// What the dialog showed when it came up.
struct Opened {
    QString text;
    bool focused = false;
    bool allSelected = false;
};

// Return pressed on the text as the dialog offered it.
const QString kUnedited;

class GotoDialogTest : public ViewCommandFixture {
  protected:
    // Runs Goto, types `entries` one after the other, each followed by
    // Return (an empty one clears the box), then cancels if the dialog is
    // still up.
    CommandEffect Goto(const QStringList& entries) {
        m_opened = {};
        m_stillOpenAfter.clear();
        m_refocused.clear();
        ModalDriver driver([&](QWidget* dialog) {
            TypeEntries(dialog, entries);
            // Whatever failed above, the dialog goes.
            if (dialog->isVisible())
                Button(dialog, "Cancel")->click();
        });
        // As a user starts it: from the main window, active once more since
        // the last dialog closed.
        Frame()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(Frame()));
        const CommandEffect effect = Run(ID_NAVIGATE_GOTO);
        EXPECT_TRUE(driver.Ran());
        return effect;
    }

    void TypeEntries(QWidget* dialog, const QStringList& entries) {
        auto* edit = dialog->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        // The platform hands the focus over once the dialog is active.
        const bool focused =
            QTest::qWaitFor([edit] { return QApplication::focusWidget() == edit; });
        m_opened = {edit->text(), focused,
                    edit->hasSelectedText() && edit->selectedText() == edit->text()};
        for (const QString& entry : entries) {
            ASSERT_EQ(QApplication::focusWidget(), edit);
            if (entry.isEmpty() && !entry.isNull())
                QTest::keyClick(edit, Qt::Key_Backspace);
            else
                QTest::keyClicks(edit, entry);
            const QString submitted = edit->text();
            QTest::keyClick(edit, Qt::Key_Return);
            m_stillOpenAfter << dialog->isVisible();
            if (!dialog->isVisible())
                return;
            m_refocused << (QApplication::focusWidget() == edit && edit->text() == submitted &&
                            edit->selectedText() == submitted);
        }
    }

    Opened m_opened;
    QList<bool> m_stillOpenAfter;
    QList<bool> m_refocused;
};

TEST_F(GotoDialogTest, AnEnteredNumberSelectsThatPositionClampedToTheData) {
    StartCounting(WriteDataFile("ten.dat", 26, 10));
    const std::pair<const char*, int> cases[] = {
        {"4", 3}, {"0", 0}, {"10", 9}, {"1", 0}, {"15", 9}, {"1319", 9}, {"-0", 0},
    };
    int previous = 0;
    for (const auto& [entry, index] : cases) {
        SCOPED_TRACE(entry);
        const CommandEffect effect = Goto({entry});
        // It offers the current position plus one, focused and selected,
        // so that what is typed replaces it.
        EXPECT_EQ(m_opened.text, QString::number(previous + 1));
        EXPECT_TRUE(m_opened.focused);
        EXPECT_TRUE(m_opened.allSelected);
        EXPECT_EQ(m_stillOpenAfter, QList<bool>{false});
        EXPECT_EQ(View()->RecordIndex(), index);
        EXPECT_EQ(effect.paints, 1);
        EXPECT_TRUE(effect.tones.empty());
        previous = index;
    }
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(GotoDialogTest, WithoutRecordsAnyAcceptedNumberStaysAtTheFirstPosition) {
    StartCounting();
    for (const char* entry : {"1", "7"}) {
        SCOPED_TRACE(entry);
        const CommandEffect effect = Goto({entry});
        EXPECT_EQ(View()->RecordIndex(), 0);
        EXPECT_EQ(effect.paints, 1);
        EXPECT_TRUE(effect.tones.empty());
    }
}

TEST_F(GotoDialogTest, RefusedEntriesKeepTheDialogOpenAndCancelChangesNothing) {
    StartCounting(WriteDataFile("ten.dat", 26, 10));
    Run(ID_NAVIGATE_DOWN);
    Run(ID_NAVIGATE_DOWN);
    const CommandEffect effect = Goto({"1320", "abc", "-1", "", "99999999999"});
    EXPECT_EQ(m_stillOpenAfter, (QList<bool>{true, true, true, true, true}));
    // Back in the edit box with the refused text selected, ready to retype.
    EXPECT_EQ(m_refocused, (QList<bool>{true, true, true, true, true}));
    const QString range = QStringLiteral("Please enter an integer between 0 and 1319.");
    const QString integer = QStringLiteral("Please enter an integer.");
    EXPECT_EQ(m_messages, (QStringList{range, integer, range, integer, integer}));
    EXPECT_EQ(View()->RecordIndex(), 2);
    EXPECT_EQ(effect.paints, 0);
    EXPECT_TRUE(effect.tones.empty());
}

// In a file longer than 1,319 records the bound is the record count: every
// record is reached, and the number the dialog opens with is accepted.
TEST_F(GotoDialogTest, ALongerFileIsReachedToItsLastRecord) {
    StartCounting(WriteDataFile("long.dat", 26, 1400));
    Run(ID_NAVIGATE_LAST);
    ASSERT_EQ(View()->RecordIndex(), 1399);
    CommandEffect effect = Goto({kUnedited});
    EXPECT_EQ(m_opened.text, "1400");
    EXPECT_EQ(m_stillOpenAfter, QList<bool>{false});
    EXPECT_EQ(View()->RecordIndex(), 1399);
    EXPECT_EQ(effect.paints, 1);

    effect = Goto({"1401", "1350"});
    EXPECT_EQ(m_stillOpenAfter, (QList<bool>{true, false}));
    EXPECT_EQ(m_messages, QStringList{"Please enter an integer between 0 and 1400."});
    EXPECT_EQ(View()->RecordIndex(), 1349);

    // File New keeps the position past the records it no longer has: the
    // number the dialog opens with is still accepted as it stands.
    m_messages.clear();
    Run(ID_NAVIGATE_LAST);
    Frame()->SendCommand(ID_FILE_NEW);
    effect = Goto({kUnedited});
    EXPECT_EQ(m_opened.text, "1400");
    EXPECT_EQ(m_stillOpenAfter, QList<bool>{false});
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join('\n').toStdString();
}

TEST_F(GotoDialogTest, TheDialogIsLaidOutFromItsTemplate) {
    StartCounting();
    QString title;
    QWidget* owner = nullptr;
    QFont font;
    QRect editBox, okBox, cancelBox, labelBox;
    QList<QWidget*> tabOrder;
    bool okIsDefault = false, cancelIsDefault = true;
    QString labelText;
    QSize size;
    ModalDriver driver([&](QWidget* dialog) {
        title = dialog->windowTitle();
        owner = dialog->parentWidget();
        font = dialog->font();
        size = dialog->size();
        auto* edit = dialog->findChild<QLineEdit*>();
        QPushButton* ok = Button(dialog, "OK");
        QPushButton* cancel = Button(dialog, "Cancel");
        auto* label = dialog->findChild<QLabel*>();
        ASSERT_TRUE(edit && ok && cancel && label);
        editBox = edit->geometry();
        okBox = ok->geometry();
        cancelBox = cancel->geometry();
        labelBox = label->geometry();
        labelText = label->text();
        okIsDefault = ok->isDefault();
        cancelIsDefault = cancel->isDefault();
        for (QWidget* w = edit; tabOrder.size() < 3; w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus)
                tabOrder << w;
        EXPECT_EQ(tabOrder, (QList<QWidget*>{edit, ok, cancel}));
        cancel->click();
    });
    Run(ID_NAVIGATE_GOTO);
    ASSERT_TRUE(driver.Ran());
    const DialogUnits units(font);
    EXPECT_EQ(title, "Record Number Selection Dialog");
    EXPECT_EQ(owner, Frame());
    EXPECT_EQ(size, units.ToPixels(186, 95));
    EXPECT_EQ(editBox, units.ToPixels(49, 7, 40, 14));
    EXPECT_EQ(okBox, units.ToPixels(129, 7, 50, 14));
    EXPECT_EQ(cancelBox, units.ToPixels(129, 24, 50, 14));
    EXPECT_EQ(labelBox, units.ToPixels(7, 10, 34, 8));
    EXPECT_EQ(labelText, "Record nr:");
    EXPECT_TRUE(okIsDefault);
    EXPECT_FALSE(cancelIsDefault);
    EXPECT_EQ(tabOrder.size(), 3);
}

} // namespace
