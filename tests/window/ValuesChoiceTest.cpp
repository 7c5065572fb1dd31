// The context menu's Values: four radio items, the choice drawn, summed up
// and kept from record to record.

#include "ModalDriver.h"
#include "Process.h"
#include "RecordingDC.h"
#include "ValueTransform.h"
#include "ViewCommandFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

namespace {

using quib::ValueTransform;

class ValuesChoiceTest : public ViewCommandFixture {
  protected:
    // The Values submenu's items as the menu opened by the Menu key holds
    // them, the checked one marked with "*".
    QStringList ValuesOffered() {
        QStringList items;
        ModalDriver read([&](QWidget*) {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            auto* values = menu->findChild<QMenu*>(QStringLiteral("valuesMenu"));
            ASSERT_NE(values, nullptr);
            EXPECT_EQ(values->title(), "Values");
            for (const QAction* action : values->actions())
                items << action->text() + (action->isChecked() ? "*" : "");
            menu->close();
        });
        QTest::keyClick(View(), Qt::Key_Menu);
        return items;
    }

    // Chooses an item; it repaints once and tells the panels.
    void Choose(const char* name) {
        auto* item = View()->findChild<QAction*>(name);
        ASSERT_NE(item, nullptr) << name;
        const QSignalSpy told(View(), &CMyQuibView::Changed);
        EXPECT_EQ(Measure([item] { item->trigger(); }).paints, 1) << name;
        EXPECT_EQ(told.count(), 1) << name;
    }

    // The values the view draws, in node order.
    std::vector<std::string> ValuesDrawn() const {
        RecordingDC dc;
        View()->OnPrepareDC(&dc);
        View()->OnDraw(&dc);
        std::vector<std::string> texts;
        for (const RecordedCall& call : dc.Calls())
            if (call.op == RecordedCall::Op::TextOut)
                texts.push_back(call.text);
        // Each node's label, then its value; the summary line last.
        std::vector<std::string> values;
        for (std::size_t k = 1; k + 1 < texts.size(); k += 2)
            values.push_back(texts[k]);
        return values;
    }

    // The current record's values as `transform` shows them.
    std::vector<std::string> Expected(ValueTransform transform) const {
        const CLatticeRecord& record = Document()->Data().m_primaryRecords[View()->RecordIndex()];
        std::int64_t shown[quib::kNodeCount];
        const quib::NodeMask missing = TransformValues(transform, record.m_nNodeValue, shown);
        std::vector<std::string> values;
        for (int n = 0; n < quib::kNodeCount; ++n)
            values.push_back((missing >> n) & 1 ? "/" : std::to_string(shown[n]));
        return values;
    }

    std::string Summary() const {
        View()->OnCopySummary();
        return QGuiApplication::clipboard()->text().toStdString();
    }
};

// Möbius inversion on record 1 draws and sums up the inversion, still on
// record 2 after Right, and As Read brings the values as read back.
TEST_F(ValuesChoiceTest, TheChoiceIsDrawnSummedUpAndKept) {
    StartCounting(QStringLiteral(QUIB_EXAMPLES "/run-a.dat"));
    EXPECT_EQ(ValuesOffered(), QStringList({"As Read*", "Möbius Inversion", "Sums over Subsets",
                                            "Sums over Supersets"}));
    ASSERT_NE(Expected(ValueTransform::Mobius), Expected(ValueTransform::Read));

    Choose("valuesMobius");
    EXPECT_EQ(ValuesOffered(), QStringList({"As Read", "Möbius Inversion*", "Sums over Subsets",
                                            "Sums over Supersets"}));
    EXPECT_EQ(Summary().rfind("Record nr 1, Möbius inversion < ", 0), 0u) << Summary();
    EXPECT_EQ(ValuesDrawn(), Expected(ValueTransform::Mobius));

    PressKey(Qt::Key_Right);
    ASSERT_EQ(View()->RecordIndex(), 1);
    EXPECT_EQ(Summary().rfind("Record nr 2, Möbius inversion < ", 0), 0u) << Summary();
    EXPECT_EQ(ValuesDrawn(), Expected(ValueTransform::Mobius));
    // Copied as --export draws it.
    View()->OnCopyPicture();
    const std::string svg = m_dir.Path() + "/mobius.svg";
    ASSERT_EQ(RunProcess(QUIB_EXECUTABLE, {"--export", svg, "--values", "mobius", "--record", "2",
                                           QUIB_EXAMPLES "/run-a.dat"})
                  .status,
              0);
    EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->data("image/svg+xml").toStdString(),
              ReadWholeFile(svg));

    Choose("valuesSupersets");
    EXPECT_EQ(Summary().rfind("Record nr 2, sums over supersets < ", 0), 0u) << Summary();
    EXPECT_EQ(ValuesDrawn(), Expected(ValueTransform::Supersets));

    Choose("valuesRead");
    EXPECT_EQ(Summary().rfind("Record nr 2 < ", 0), 0u) << Summary();
    EXPECT_EQ(ValuesDrawn(), Expected(ValueTransform::Read));
}

} // namespace
