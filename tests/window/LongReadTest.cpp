// Long reads in the window: a pipe that a thread fills slowly makes a read
// of well over a second. Its progress shows in the status bar and the view
// answers meanwhile; a cancelled Open leaves the document as a failed one
// does, a cancelled Import (here by closing the window) leaves the imported
// dataset as it was, and a read left to run gives the records of a plain
// read.

#include "ViewCommandFixture.h"

#include "RecentFileList.h"
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <thread>

namespace {

using namespace std::chrono_literals;

std::string Line(int record) {
    std::string line = "(" + std::to_string(record) + ")";
    for (int v = 0; v < 26; ++v)
        line += " " + std::to_string(record * 10 + v);
    return line + "\n";
}

const std::string kHeader = "DIM=26\nCONV_SECTION\n";

// A named pipe that a thread of its own fills a line at a time, slowly
// enough that reading it takes over a second: `records` records and the end
// line, or, endless, lines until the reader closes the pipe or a generous
// while has passed.
class SlowPipe {
  public:
    static constexpr int kEndless = -1;

    SlowPipe(const TempDir& dir, int records) : m_path(dir.Path() + "/slow.dat") {
        EXPECT_EQ(mkfifo(m_path.c_str(), 0600), 0);
        m_writer = std::thread([this, records] { Write(records); });
    }
    ~SlowPipe() {
        m_stop = true;
        m_writer.join();
    }
    SlowPipe(const SlowPipe&) = delete;
    SlowPipe& operator=(const SlowPipe&) = delete;

    QString Path() const { return QString::fromStdString(m_path); }

  private:
    void Write(int records) {
        // A reader that stops early makes a write fail, not the program.
        sigset_t pipeSignal;
        sigemptyset(&pipeSignal);
        sigaddset(&pipeSignal, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);
        const QDeadlineTimer giveUp(30000);
        int fd = -1;
        while (fd < 0 && !m_stop && !giveUp.hasExpired()) {
            fd = open(m_path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd < 0)
                std::this_thread::sleep_for(5ms);
        }
        if (fd < 0)
            return;
        fcntl(fd, F_SETFL, 0);
        const auto send = [fd](const std::string& text) {
            return write(fd, text.data(), text.size()) == ssize_t(text.size());
        };
        bool open = send(kHeader);
        for (int r = 1; open && !m_stop && !giveUp.hasExpired() && r != records + 1; ++r) {
            open = send(Line(r));
            std::this_thread::sleep_for(20ms);
        }
        if (open && records != kEndless)
            send("END\n");
        close(fd);
    }

    std::string m_path;
    std::atomic<bool> m_stop = false;
    std::thread m_writer;
};

class LongReadTest : public ViewCommandFixture {
  protected:
    QProgressBar* Bar() const { return Frame()->findChild<QProgressBar*>(); }
    QPushButton* Cancel() const { return Frame()->findChild<QPushButton*>("cancelRead"); }
    bool Showing() const { return Bar() != nullptr && Bar()->isVisible(); }

    // Starts the read in `read` and runs `step` every 20 ms until it is over.
    void WhileReading(const std::function<void()>& read, const std::function<void()>& step) {
        QTimer tick;
        tick.setInterval(20);
        QObject::connect(&tick, &QTimer::timeout, step);
        tick.start();
        read();
        WaitForReads();
        tick.stop();
    }
};

TEST_F(LongReadTest, CancelledOpenLeavesTheDocumentAsAFailedOpenDoes) {
    StartCounting(WriteDataFile("run.dat", 26, 5));
    Import(WriteDataFile("import.dat", 26, 5));
    const SlowPipe pipe(m_dir, SlowPipe::kEndless);
    bool shown = false;
    bool refused = false;
    // From the recent files, where a cancelled read leaves its entry.
    theApp.AddToRecentFileList(pipe.Path());
    Frame()->UpdateCommandUI();
    WhileReading([&] { Frame()->SendCommand(ID_FILE_MRU_FILE1); },
                 [&] {
                     if (!Showing())
                         return;
                     shown = true;
                     // A pipe's size is unknown: a busy bar.
                     EXPECT_EQ(Bar()->maximum(), 0);
                     refused = !Enabled(ID_FILE_OPEN) && !Enabled(ID_FILE_NEW) &&
                               !Enabled(ID_FILE_IMPORT) && !Enabled(ID_FILE_MRU_FILE1);
                     Cancel()->click();
                 });
    EXPECT_TRUE(shown);
    EXPECT_TRUE(refused);
    EXPECT_FALSE(Showing());
    EXPECT_EQ(Document()->Data().m_nPrimaryDim, -1);
    EXPECT_EQ(Document()->Data().m_nImportedDim, -1);
    EXPECT_EQ(Document()->Data().m_primaryRecords.GetSize(), 0);
    EXPECT_EQ(Document()->Data().m_importedRecords.GetSize(), 0);
    EXPECT_TRUE(Document()->ImportedPaths().isEmpty());
    EXPECT_TRUE(Document()->GetPathName().isEmpty());
    EXPECT_EQ(Frame()->windowTitle(), "Untitled - Quib");
    // Whoever cancelled needs no box.
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join('\n').toStdString();
    EXPECT_TRUE(Enabled(ID_FILE_OPEN));
    ASSERT_GE(theApp.GetRecentFileList()->GetSize(), 1);
    EXPECT_TRUE((*theApp.GetRecentFileList())[0].endsWith("slow.dat"));
}

TEST_F(LongReadTest, CancelledImportKeepsTheImportWhileTheViewAnswers) {
    const QString path = WriteDataFile("run.dat", 26, 5);
    const QString imported = WriteDataFile("import.dat", 26, 5);
    StartCounting(path);
    Import(imported);
    const SlowPipe pipe(m_dir, SlowPipe::kEndless);
    bool pressed = false;
    bool closing = false;
    WhileReading([&] { Document()->ImportFiles({pipe.Path()}); },
                 [&] {
                     if (!Showing())
                         return;
                     if (!pressed) {
                         // As a key comes, through the event queue; F5 is
                         // refused while the read runs.
                         for (const Qt::Key key : {Qt::Key_Right, Qt::Key_F5})
                             QCoreApplication::postEvent(
                                 View(), new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
                         // So is a file dropped on the window.
                         QMimeData data;
                         data.setUrls({QUrl::fromLocalFile(imported)});
                         QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data,
                                               Qt::LeftButton, Qt::NoModifier);
                         QCoreApplication::sendEvent(Frame(), &enter);
                         EXPECT_FALSE(enter.isAccepted());
                         QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton,
                                         Qt::NoModifier);
                         QCoreApplication::sendEvent(Frame(), &drop);
                         pressed = true;
                     } else if (View()->RecordIndex() == 1 && !closing) {
                         // Closing the window cancels the read.
                         closing = true;
                         Frame()->close();
                     }
                 });
    EXPECT_FALSE(Frame()->isVisible());
    EXPECT_EQ(View()->RecordIndex(), 1);
    EXPECT_EQ(Document()->Data().m_nImportedDim, 26);
    ASSERT_EQ(Document()->Data().m_importedRecords.GetSize(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Document()->Data().ImportedPartner(i), i);
        EXPECT_EQ(Document()->GetNodeValue(i, 31, 1), (i + 1) * 100 + 25);
    }
    EXPECT_EQ(Document()->ImportedPaths(), QStringList{imported});
    EXPECT_EQ(Document()->Data().m_primaryRecords.GetSize(), 5);
    EXPECT_EQ(Document()->GetPathName(), path);
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join('\n').toStdString();
}

// A pipe gives its lines once: Reload says so and keeps them, Follow File
// and Check File are not offered, and the recent files never list it.
TEST_F(LongReadTest, AFileReadFromAPipeIsNeverLost) {
    StartCounting();
    const SlowPipe pipe(m_dir, 3);
    Document()->OpenInWindow(pipe.Path(), {});
    WaitForReads();
    ASSERT_EQ(Document()->Data().m_primaryRecords.GetSize(), 3);
    EXPECT_EQ(theApp.GetRecentFileList()->GetSize(), 0);
    for (const char* name : {"followFile", "checkFile"})
        EXPECT_FALSE(Frame()->findChild<QAction*>(name)->isEnabled()) << name;
    PressKey(Qt::Key_F5);
    EXPECT_EQ(m_messages,
              QStringList{"'" + pipe.Path() + "' was read from a pipe: it cannot be read again."});
    EXPECT_EQ(Document()->Data().m_primaryRecords.GetSize(), 3);
    PressKey(Qt::Key_Right);
    EXPECT_EQ(View()->RecordIndex(), 1);
}

TEST_F(LongReadTest, ReadLeftToRunGivesTheRecordsOfAPlainRead) {
    StartCounting();
    constexpr int kRecords = 60;
    std::string text = kHeader;
    for (int r = 1; r <= kRecords; ++r)
        text += Line(r);
    LatticeDocument plain;
    ASSERT_FALSE(plain.OpenDataFile(m_dir.Write("plain.dat", text + "END\n")));
    const SlowPipe pipe(m_dir, kRecords);
    bool shown = false;
    QString told;
    WhileReading([&] { Document()->OpenInWindow(pipe.Path(), {}); },
                 [&] {
                     shown = shown || Showing();
                     if (Showing())
                         told = Bar()->format();
                 });
    EXPECT_TRUE(shown);
    EXPECT_TRUE(told.endsWith(" read")) << told.toStdString();
    EXPECT_EQ(Document()->GetPathName(), pipe.Path());
    EXPECT_EQ(Document()->Data().m_nPrimaryDim, plain.m_nPrimaryDim);
    ASSERT_EQ(Document()->Data().m_primaryRecords.GetSize(), kRecords);
    for (int i = 0; i < kRecords; ++i)
        EXPECT_EQ(std::memcmp(&Document()->Data().m_primaryRecords[i], &plain.m_primaryRecords[i],
                              sizeof(CLatticeRecord)),
                  0)
            << i;
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join('\n').toStdString();
}

} // namespace
