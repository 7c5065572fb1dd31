// Dialogs built from their templates: data exchange and validation, the
// About box, the font dialog's LOGFONT in and out.

#include "AboutDialog.h"
#include "DialogUnits.h"
#include "FontDialog.h"
#include "LogFont.h"
#include "MessageBox.h"
#include "ModalDriver.h"
#include "Resources.h"

#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <cstring>

namespace {

// The record number dialog's template with its exchange, as a dialog of
// the program would write it.
class NumberDialog : public CDialog {
  public:
    NumberDialog() : CDialog(IDD_RECORD_NUMBER) {}
    int number = 7;

  protected:
    void DoDataExchange(CDataExchange* pDX) override {
        CDialog::DoDataExchange(pDX);
        DDX_Text(pDX, IDC_RECORD_NUMBER, number);
        DDV_MinMaxInt(pDX, number, 0, 1319);
    }
};

class DialogTest : public testing::Test {
  protected:
    void SetUp() override {
        AfxSetMessageBoxHook([this](const QString& text, UINT) {
            m_messages << text;
            return IDOK;
        });
    }
    void TearDown() override { AfxSetMessageBoxHook({}); }

    QStringList m_messages;
};

QPushButton* Button(QWidget* dialog, const QString& text) {
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

TEST_F(DialogTest, OkKeepsTheDialogOpenUntilTheTextPassesItsChecks) {
    NumberDialog dialog;
    QStringList seen;
    bool stillOpen = true;
    ModalDriver driver([&](QWidget* w) {
        auto* edit = w->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        seen << edit->text();
        QPushButton* ok = Button(w, "OK");
        ASSERT_NE(ok, nullptr);
        for (const char* text : {"abc", "2000", "-1", "99999999999"}) {
            edit->setText(text);
            ok->click();
            stillOpen = stillOpen && w->isVisible();
        }
        edit->setText(" 12 ");
        ok->click();
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ASSERT_TRUE(driver.Ran());
    EXPECT_EQ(seen, QStringList{"7"});
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(dialog.number, 12);
    EXPECT_EQ(
        m_messages,
        (QStringList{"Please enter an integer.", "Please enter an integer between 0 and 1319.",
                     "Please enter an integer between 0 and 1319.", "Please enter an integer."}));
}

TEST_F(DialogTest, CancelExchangesNothing) {
    NumberDialog dialog;
    ModalDriver driver([](QWidget* w) {
        w->findChild<QLineEdit*>()->setText("300");
        Button(w, "Cancel")->click();
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ASSERT_TRUE(driver.Ran());
    EXPECT_EQ(dialog.number, 7);
}

TEST_F(DialogTest, AboutBoxIsLaidOutFromItsTemplateInDialogUnits) {
    CAboutDialog about;
    QString title;
    QStringList texts;
    bool hasIcon = false, okIsDefault = false;
    QRect okGeometry, expectedOk;
    ModalDriver driver([&](QWidget* w) {
        title = w->windowTitle();
        for (const QLabel* label : w->findChildren<QLabel*>()) {
            if (!label->pixmap().isNull())
                hasIcon = true;
            else
                texts << label->text();
        }
        QPushButton* ok = Button(w, "OK");
        ASSERT_NE(ok, nullptr);
        okIsDefault = ok->isDefault();
        okGeometry = ok->geometry();
        expectedOk = DialogUnits(w->font()).ToPixels(178, 7, 50, 14);
        ok->click();
    });
    EXPECT_EQ(about.DoModal(), IDOK);
    ASSERT_TRUE(driver.Ran());
    EXPECT_EQ(title, "About Quib");
    EXPECT_TRUE(hasIcon);
    EXPECT_EQ(texts, (QStringList{"Quib Version 1.0", kNoticeLine}));
    EXPECT_TRUE(okIsDefault);
    EXPECT_EQ(okGeometry, expectedOk);
    // Dialog units follow the font: wider than a pixel each, and not absurd.
    EXPECT_GT(expectedOk.width(), 50);
    EXPECT_LT(expectedOk.width(), 200);
}

TEST_F(DialogTest, FontDialogTakesAndGivesALogFont) {
    LOGFONT initial;
    initial.lfHeight = -20;
    initial.lfWeight = 700;
    initial.lfItalic = 1;
    std::strcpy(initial.lfFaceName, "DejaVu Sans");
    CFontDialog dialog(&initial);
    QFont shown;
    ModalDriver driver([&](QWidget* w) {
        auto* fonts = qobject_cast<QFontDialog*>(w);
        ASSERT_NE(fonts, nullptr);
        EXPECT_TRUE(fonts->testOption(QFontDialog::DontUseNativeDialog));
        shown = fonts->currentFont();
        QFont chosen = shown;
        chosen.setUnderline(true);
        fonts->setCurrentFont(chosen);
        fonts->accept();
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    ASSERT_TRUE(driver.Ran());
    EXPECT_EQ(shown.family(), "DejaVu Sans");
    EXPECT_TRUE(shown.bold());
    EXPECT_TRUE(shown.italic());
    LOGFONT chosen;
    dialog.GetCurrentFont(&chosen);
    EXPECT_STREQ(chosen.lfFaceName, "DejaVu Sans");
    EXPECT_EQ(chosen.lfHeight, -20);
    EXPECT_EQ(chosen.lfWeight, 700);
    EXPECT_EQ(chosen.lfItalic, 1);
    EXPECT_EQ(chosen.lfUnderline, 1);
    EXPECT_EQ(chosen.lfStrikeOut, 0);
}

TEST_F(DialogTest, CancelledFontDialogKeepsTheFont) {
    LOGFONT initial;
    initial.lfHeight = -11;
    CFontDialog dialog(&initial);
    ModalDriver driver(CancelDialog);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    ASSERT_TRUE(driver.Ran());
    LOGFONT after;
    dialog.GetCurrentFont(&after);
    EXPECT_EQ(after.lfHeight, -11);
}

// With the all-zero description the picture is drawn in the surfaces' 8
// point default font: the dialog opens on it. Qt's dialog, given another
// family that lacks the style's name, falls back to the family's first style
// (DejaVu Serif's is Condensed Italic); the regular one is kept instead.
TEST_F(DialogTest, FontDialogOpensOnThePicturesFontAndKeepsARegularStyle) {
    const LOGFONT initial;
    CFontDialog dialog(&initial);
    double shownSize = 0;
    QFont afterFamily;
    ModalDriver driver([&](QWidget* w) {
        auto* fonts = qobject_cast<QFontDialog*>(w);
        ASSERT_NE(fonts, nullptr);
        shownSize = fonts->currentFont().pointSizeF();
        // The first list of Qt's dialog is the families'.
        auto* families = fonts->findChild<QListView*>();
        ASSERT_NE(families, nullptr);
        const QModelIndexList serif = families->model()->match(
            families->model()->index(0, 0), Qt::DisplayRole, "DejaVu Serif", 1, Qt::MatchExactly);
        ASSERT_EQ(serif.size(), 1);
        families->setCurrentIndex(serif[0]);
        afterFamily = fonts->currentFont();
        fonts->accept();
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    ASSERT_TRUE(driver.Ran());
    EXPECT_EQ(shownSize, 8.0);
    EXPECT_EQ(afterFamily.family().toStdString(), "DejaVu Serif");
    EXPECT_EQ(afterFamily.styleName().toStdString(), "Book");
    LOGFONT chosen;
    dialog.GetCurrentFont(&chosen);
    EXPECT_STREQ(chosen.lfFaceName, "DejaVu Serif");
    EXPECT_EQ(chosen.lfItalic, 0);
    EXPECT_EQ(chosen.lfWeight, 400);
}

// Face names are UTF-8 both ways, and cut to whole characters.
TEST_F(DialogTest, FaceNamesKeepTheirCharacters) {
    LOGFONT logFont;
    SetLogFontFace(logFont, QFont(QStringLiteral("Schrift Ωμέγα")));
    EXPECT_EQ(FontOfLogFont(logFont).family().toStdString(), "Schrift Ωμέγα");
    // Thirty Greek letters are sixty bytes: fifteen of them fit.
    SetLogFontFace(logFont, QFont(QString(30, QChar(0x03A9))));
    EXPECT_EQ(FontOfLogFont(logFont).family().toStdString(),
              QString(15, QChar(0x03A9)).toStdString());
}

} // namespace
