// A file of a million records with the overview, a node's history and the
// find bar open: a key press repaints from one picture, and while every
// whole-file job runs (a change of the values shown, a reload) the window's
// thread answers. How long it was ever busy at a stretch is told, not
// judged: the machine may be busy with other work.

#include "DataGenerator.h"
#include "LatticePicture.h"
#include "PanelFixture.h"
#include "RecordFinder.h"
#include "Sanitizers.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

// The longest stretch the window's thread went without turning its event
// loop, while it is watched.
class LoopWatch : public QObject {
  public:
    LoopWatch() {
        m_tick.setInterval(1);
        connect(&m_tick, &QTimer::timeout, this,
                [this] { m_longest = std::max(m_longest, m_since.restart()); });
        m_since.start();
        m_tick.start();
    }
    qint64 LongestMilliseconds() const { return m_longest; }

  private:
    QTimer m_tick;
    QElapsedTimer m_since;
    qint64 m_longest = 0;
};

class ResponsivenessTest : public PanelFixture {
  protected:
    bool Idle() const {
        const auto* finder = Frame()->findChild<quib::RecordFinder*>();
        return !Document()->IsReading() && !OverviewPanel()->Building() &&
               !HistoryPanel()->Building() && !finder->Finding();
    }
    // Runs the event loop until every job is over, pressing Right now and
    // then as a person would; how many presses came while jobs ran.
    int PressWhileBusy() {
        int presses = 0;
        QElapsedTimer since;
        since.start();
        while (!QTest::qWaitFor([this] { return Idle(); }, 20) && since.elapsed() < 120000) {
            Press(Qt::Key_Right);
            ++presses;
        }
        EXPECT_TRUE(Idle());
        return presses;
    }
};

TEST_F(ResponsivenessTest, AKeyRepaintsFromOnePictureAndTheWindowAnswersWhileJobsRun) {
    const int records = 1000000 / kSanitizerShare;
    Start(QString::fromStdString(m_dir.Write("run.dat", GenerateDataFile(32, records))));
    ASSERT_EQ(Document()->Data().m_primaryRecords.GetSize(), records);
    ContextMenu(QPoint(5, 5), QStringLiteral("Show Overview"));
    HistoryPanel()->ShowNode(6);
    Frame()->findChild<QAction*>("findRecords")->trigger();
    QTest::keyClicks(Frame()->findChild<QLineEdit*>("findCondition"), "ab > 0 and minimal(abc)");
    PressWhileBusy();

    const unsigned long built = quib::LatticePicture::Built();
    Press(Qt::Key_Right);
    EXPECT_EQ(quib::LatticePicture::Built() - built, 1u);

    // The values shown change: the overview, the history and the matches
    // are found anew on workers. Then the file is read again: a read, then
    // every job anew.
    const auto watched = [this](const char* command, const char* what) {
        const LoopWatch watch;
        Frame()->findChild<QAction*>(command)->trigger();
        const int presses = PressWhileBusy();
        std::printf("%s: the window's thread busy at most %lld ms at a stretch, %d keys "
                    "handled meanwhile\n",
                    what, watch.LongestMilliseconds(), presses);
    };
    std::printf("%d records, the overview, a history and the find bar open\n", records);
    watched("valuesMobius", "values changed");
    watched("reload", "file read again");
}

} // namespace
