// Follow File in the window: records appended to the open file are shown,
// and the view that stood on the last record moves on to the new last one
// while one that stood elsewhere stays; a file removed and written anew is
// read whole.

#include "ViewCommandFixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QThread>

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>

namespace {

class FollowFileTest : public ViewCommandFixture {
  protected:
    int Records() const { return Document()->Data().m_primaryRecords.GetSize(); }

    // Runs the event loop until `done`, for at most a generous while.
    static bool WaitFor(const std::function<bool()>& done) {
        const QDeadlineTimer deadline(20000);
        while (!done() && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            QThread::msleep(5);
        }
        return done();
    }

    static void Append(const QString& path, const char* bytes) {
        std::ofstream(path.toStdString(), std::ios::binary | std::ios::app) << bytes;
    }
};

TEST_F(FollowFileTest, AppendedRecordsAreShownAndTheLastOneFollowed) {
    const QString path = WriteDataFile("run.dat", 26, 3);
    // Without its end line, so that the file can grow.
    const std::string written = ReadWholeFile(path.toStdString());
    m_dir.Write("run.dat", written.substr(0, written.size() - 4));
    StartCounting(path);
    View()->ShowRecord(2);
    auto* follow = Frame()->findChild<QAction*>("followFile");
    auto* pane = Frame()->findChild<QLabel*>("followPane");
    ASSERT_NE(follow, nullptr);
    ASSERT_NE(pane, nullptr);
    EXPECT_FALSE(follow->isChecked());
    follow->trigger();
    EXPECT_TRUE(pane->isVisible() || !Frame()->isVisible());
    EXPECT_EQ(pane->text(), "Following run.dat");

    // The last line waits for its line end.
    Append(path, "(4) 4\n(5) 5\n(6) 6");
    ASSERT_TRUE(WaitFor([this] { return Records() == 5; })) << Records();
    EXPECT_EQ(Document()->GetNodeValue(4, 6, 0), 5);
    EXPECT_EQ(View()->RecordIndex(), 4);

    View()->ShowRecord(1);
    Append(path, "\n");
    ASSERT_TRUE(WaitFor([this] { return Records() == 6; })) << Records();
    EXPECT_EQ(Document()->GetNodeValue(5, 6, 0), 6);
    EXPECT_EQ(View()->RecordIndex(), 1);

    // Removed, the file can no longer be watched: its size is looked at
    // until it is there again, then it is read whole.
    ASSERT_EQ(std::remove(path.toLocal8Bit().constData()), 0);
    ASSERT_TRUE(WaitFor([pane] { return pane->text().contains("No such file"); }));
    Append(path, "(1) 7\n(2) 8\n");
    ASSERT_TRUE(WaitFor([this] { return Records() == 2; })) << Records();
    EXPECT_EQ(Document()->GetNodeValue(1, 6, 0), 8);
    EXPECT_EQ(pane->text(), "Following run.dat");

    follow->trigger();
    EXPECT_FALSE(pane->isVisible());
    EXPECT_TRUE(m_messages.isEmpty());
}

// Records appended while the view stands elsewhere than on the last one are
// paired too: they take their partners and fewer imported records are left
// without one.
TEST_F(FollowFileTest, AppendedRecordsTakeTheirPartnersWhereverTheViewStands) {
    const QString path = QString::fromStdString(m_dir.Write("run.dat", "(1) 1\n(2) 2\n"));
    StartCounting(path);
    Import(QString::fromStdString(m_dir.Write("import.dat", "(1) 10\n(2) 20\n(3) 30\n(4) 40\n")));
    ASSERT_EQ(Document()->Data().UnpairedImportedCount(), 2);
    View()->ShowRecord(0);
    Frame()->findChild<QAction*>("followFile")->trigger();
    // The first look reads the file whole; what comes after it is appended.
    Append(path, "(3) 3\n");
    ASSERT_TRUE(WaitFor([this] { return Records() == 3; })) << Records();
    Append(path, "(4) 4\n");
    ASSERT_TRUE(WaitFor([this] { return Records() == 4; })) << Records();
    EXPECT_EQ(View()->RecordIndex(), 0);
    EXPECT_EQ(Document()->GetNodeValue(2, 6, 1), 30);
    EXPECT_EQ(Document()->GetNodeValue(3, 6, 1), 40);
    EXPECT_EQ(Document()->Data().UnpairedImportedCount(), 0);
    EXPECT_EQ(Frame()->findChild<QLabel*>("positionPane")->text(),
              "Record 1 of 4 \u00b7 0 imported records without partner");
}

// A step of Follow File that ends while an import is read must not be
// undone by it: the import was read onto the records before the step.
TEST_F(FollowFileTest, RecordsAppendedWhileAnImportIsReadAreKept) {
    const QString path = QString::fromStdString(m_dir.Write("run.dat", "(1) 1\n(2) 2\n"));
    StartCounting(path);
    std::string imported;
    for (int k = 1; k <= 200000; ++k)
        imported += "(" + std::to_string(k) + ") " + std::to_string(10 * k) + "\n";
    const QString importPath = QString::fromStdString(m_dir.Write("import.dat", imported));

    LatticeDocument::FollowedFile at;
    bool stepped = false;
    const auto step = [&] {
        stepped = false;
        ASSERT_TRUE(
            Document()->Follow(at, [&](std::error_code, const QString&, bool) { stepped = true; }));
    };
    step();
    ASSERT_TRUE(WaitFor([&] { return stepped; }));
    Append(path, "(3) 3\n");
    step();
    Document()->ImportFiles({importPath});
    ASSERT_TRUE(WaitFor([&] { return stepped && !Document()->IsReading(); }));
    step();
    ASSERT_TRUE(WaitFor([&] { return stepped; }));
    ASSERT_EQ(Records(), 3);
    EXPECT_EQ(Document()->GetNodeValue(2, 6, 1), 30);
}

} // namespace
