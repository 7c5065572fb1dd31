// Reload (F5 and the context menu) and the check of the open file in the
// window: the records read again with the position kept, a reload that
// fails leaving the document as it was, "Check File..." listing the
// findings and going to their records, and the status bar's count after
// File Open.

#include "ModalDriver.h"
#include "Sanitizers.h"
#include "ViewCommandFixture.h"

#include <QAction>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QStatusBar>
#include <QTableView>
#include <QTest>

#include <cstdio>

namespace {

class ReloadAndCheckTest : public ViewCommandFixture {
  protected:
    // Check File..., and the list it shows once the file is read.
    QTableView* CheckFile() const {
        PanelAction("checkFile")->trigger();
        QTableView* list = nullptr;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                list = Frame()->findChild<QTableView*>("findings");
                return list != nullptr && list->isVisible();
            },
            60000));
        return list;
    }
    int Records() const { return Document()->Data().m_primaryRecords.GetSize(); }
    QAction* PanelAction(const char* name) const { return Frame()->findChild<QAction*>(name); }
    QString StatusMessage() const { return Frame()->findChild<QStatusBar*>()->currentMessage(); }
};

// Four records: line 4 gives record 2 with two values read in part, line 6
// record 4 with three values of 26.
std::string FileWithBadLines() {
    std::string text = "DIM=26\nCONV_SECTION\n";
    for (int r = 1; r <= 3; ++r) {
        text += "(" + std::to_string(r) + ")" + (r == 2 ? " 1.5 2.5" : " 1 2");
        for (int v = 2; v < 26; ++v)
            text += " " + std::to_string(v);
        text += "\n";
    }
    return text + "(4) 1 2 3\nEND\n";
}

TEST_F(ReloadAndCheckTest, ReloadReadsTheFileAndItsImportsAgainAndKeepsThePosition) {
    const QString path = WriteDataFile("run.dat", 26, 5);
    const QString imported = WriteDataFile("import.dat", 26, 5);
    StartCounting(path);
    Import(imported);
    View()->ShowRecord(3);

    WriteDataFile("run.dat", 26, 8);
    WriteDataFile("import.dat", 26, 8);
    PressKey(Qt::Key_F5);
    EXPECT_EQ(Records(), 8);
    EXPECT_EQ(Document()->Data().m_importedRecords.GetSize(), 8);
    EXPECT_EQ(Document()->GetNodeValue(7, 31, 0), 825);
    EXPECT_EQ(Document()->GetNodeValue(7, 31, 1), 825);
    EXPECT_EQ(View()->RecordIndex(), 3);
    EXPECT_EQ(Document()->GetPathName(), path);

    // A file that shrank past the position shows its last record.
    WriteDataFile("run.dat", 26, 2);
    PanelAction("reload")->trigger();
    WaitForReads();
    EXPECT_EQ(Records(), 2);
    EXPECT_EQ(View()->RecordIndex(), 1);
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(ReloadAndCheckTest, FailedReloadKeepsTheDocumentAndSaysWhy) {
    const QString path = WriteDataFile("run.dat", 26, 5);
    const QString imported = WriteDataFile("import.dat", 26, 5);
    StartCounting(path);
    Import(imported);
    View()->ShowRecord(2);

    // The open file grew, but its import can no longer be read: nothing of
    // the new reading is kept.
    WriteDataFile("run.dat", 26, 8);
    ASSERT_EQ(std::remove(imported.toLocal8Bit().constData()), 0);
    PressKey(Qt::Key_F5);
    ASSERT_EQ(m_messages.size(), 1);
    EXPECT_TRUE(m_messages[0].contains(imported));
    EXPECT_TRUE(m_messages[0].contains("No such file or directory"));
    EXPECT_EQ(Records(), 5);
    EXPECT_EQ(Document()->Data().m_importedRecords.GetSize(), 5);
    EXPECT_EQ(Document()->GetNodeValue(4, 31, 1), 525);

    ASSERT_EQ(std::remove(path.toLocal8Bit().constData()), 0);
    PressKey(Qt::Key_F5);
    ASSERT_EQ(m_messages.size(), 2);
    EXPECT_TRUE(m_messages[1].contains(path));
    EXPECT_EQ(Records(), 5);
    EXPECT_EQ(View()->RecordIndex(), 2);
    EXPECT_EQ(Document()->GetPathName(), path);
}

TEST_F(ReloadAndCheckTest, CheckFileListsTheFindingsAndGoesToTheirRecords) {
    StartCounting(QString::fromStdString(m_dir.Write("bad.dat", FileWithBadLines())));
    QTableView* list = CheckFile();
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
    const QAbstractItemModel& model = *list->model();
    const auto text = [&](int row, int column) {
        return model.data(model.index(row, column)).toString();
    };
    QStringList rows;
    for (int k = 0; k < model.rowCount(); ++k)
        rows << text(k, 0) + " " + text(k, 1);
    EXPECT_EQ(rows, QStringList({"4 partial", "4 partial", "6 short"}));
    EXPECT_EQ(text(2, 2),
              "record 4 has 3 values where the dimension asks for 26; 23 nodes more read 0");

    const auto doubleClick = [&](int row) {
        const QRect box = list->visualRect(model.index(row, 0));
        // The press before the double click, as a real one comes.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, box.center());
    };
    doubleClick(2);
    EXPECT_EQ(View()->RecordIndex(), 3);
    doubleClick(0);
    EXPECT_EQ(View()->RecordIndex(), 1);
}

// A million findings open at once, every column wide enough for its longest
// text; the time it takes is told, not judged.
TEST_F(ReloadAndCheckTest, AMillionFindingsOpenAtOnceAndReadWhole) {
    const int lines = 1000000 / kSanitizerShare;
    std::string text = "DIM=26\n";
    for (int r = 1; r <= lines; ++r)
        text +=
            "(" + std::to_string(r) + ") 1.5 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0\n";
    StartCounting(QString::fromStdString(m_dir.Write("many.dat", text)));
    QElapsedTimer clock;
    clock.start();
    QTableView* list = CheckFile();
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
    std::printf("Check File..., %d findings: shown in %lld ms\n", lines, clock.elapsed());
    const QAbstractItemModel& model = *list->model();
    ASSERT_EQ(model.rowCount(), lines);
    const auto widthOf = [&](int row, int column) {
        return list->fontMetrics().horizontalAdvance(
            model.data(model.index(row, column)).toString());
    };
    EXPECT_GE(list->columnWidth(0), widthOf(lines - 1, 0));
    EXPECT_GE(list->columnWidth(1), widthOf(lines - 1, 1));
    EXPECT_EQ(model.data(model.index(lines - 1, 0)).toString(), QString::number(lines + 1));
}

TEST_F(ReloadAndCheckTest, StatusBarCountsTheLinesThatMayNotReadAsMeantAfterFileOpen) {
    StartCounting(WriteDataFile("good.dat", 26, 3));
    const QString bad = QString::fromStdString(m_dir.Write("bad.dat", FileWithBadLines()));
    ASSERT_NE(theApp.OpenDocumentFile(bad), nullptr);
    EXPECT_TRUE(TextBecomes([this] { return StatusMessage(); },
                            "2 lines of bad.dat may not read as meant: Check File... lists them"));
    // A file without findings takes the count back.
    ASSERT_NE(theApp.OpenDocumentFile(WriteDataFile("good.dat", 26, 3)), nullptr);
    EXPECT_TRUE(TextBecomes([this] { return StatusMessage(); }, QString()));
}

} // namespace
