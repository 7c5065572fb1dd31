// A read that tells its progress and can be cancelled: the same records as a
// read without, the file's bytes counted, and a cancel that leaves the
// dataset as it was, even while a pipe's writer has stalled or not come.

#include "ReadProgress.h"
#include "Compress.h"
#include "DataFileReader.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>

namespace {

std::string Records(int count) {
    std::string text = "DIM=32\n";
    for (int r = 1; r <= count; ++r) {
        // Every other record without a number of its own.
        text += r % 2 == 0 ? "(" + std::to_string(r * 10) + ")" : std::string();
        for (int v = 0; v < 32; ++v)
            text += " " + std::to_string(r + v);
        text += "\n";
    }
    return text;
}

TEST(ReadProgress, GivesTheRecordsOfAPlainReadAndCountsTheFile) {
    const TempDir dir;
    const std::string text = Records(20'000);
    const std::string path = dir.Write("run.dat", text);
    int plainDimension = -1;
    CLatticeRecordArray plain;
    ASSERT_FALSE(quib::ReadLatticeFile(path, plainDimension, plain, {}));

    // Numbered after records that came before, as an import's are.
    quib::ReadProgress progress;
    int dimension = -1;
    CLatticeRecordArray records;
    ASSERT_FALSE(quib::ReadLatticeFile(path, dimension, records, {}, progress, 5));
    EXPECT_EQ(progress.bytesRead, text.size());
    EXPECT_EQ(dimension, plainDimension);
    ASSERT_EQ(records.GetSize(), plain.GetSize());
    for (int i = 0; i < plain.GetSize(); ++i) {
        CLatticeRecord expected = plain[i];
        if (i % 2 == 0)
            expected.m_nRecordNumber += 5;
        ASSERT_EQ(std::memcmp(&records[i], &expected, sizeof expected), 0) << i;
    }
}

TEST(ReadProgress, CancelledReadLeavesTheDatasetAsItWas) {
    const TempDir dir;
    const std::string path = dir.Write("run.dat", Records(100));
    int dimension = 26;
    CLatticeRecordArray records;
    records.SetSize(3);
    quib::ReadProgress cancelled;
    cancelled.cancelled = true;
    EXPECT_EQ(quib::ReadLatticeFile(path, dimension, records, {}, cancelled),
              std::errc::operation_canceled);
    EXPECT_EQ(dimension, 26);
    EXPECT_EQ(records.GetSize(), 3);

    // A pipe whose writer gave a few lines and then stalls until the read is
    // over (or long enough to tell a read that waited for it): the cancel
    // ends the read while the writer still holds the pipe open.
    const std::string fifo = dir.Path() + "/pipe";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::atomic<bool> readOver = false;
    std::atomic<bool> writerClosed = false;
    std::thread writer([&] {
        const int fd = open(fifo.c_str(), O_WRONLY | O_CLOEXEC);
        const std::string lines = Records(3);
        EXPECT_EQ(write(fd, lines.data(), lines.size()), ssize_t(lines.size()));
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!readOver && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        writerClosed = true;
        close(fd);
    });
    quib::ReadProgress progress;
    std::thread canceller([&] {
        while (progress.bytesRead == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        progress.cancelled = true;
    });
    EXPECT_EQ(quib::ReadLatticeFile(fifo, dimension, records, {}, progress),
              std::errc::operation_canceled);
    EXPECT_FALSE(writerClosed);
    readOver = true;
    canceller.join();
    writer.join();

    // A pipe that no writer has opened yet: the cancel ends the wait for
    // one. Should it not, a writer comes at last and ends the read.
    quib::ReadProgress waiting;
    std::atomic<bool> waitOver = false;
    std::atomic<bool> rescued = false;
    std::thread late([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        waiting.cancelled = true;
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!waitOver && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!waitOver) {
            rescued = true;
            close(open(fifo.c_str(), O_WRONLY | O_CLOEXEC));
        }
    });
    EXPECT_EQ(quib::ReadLatticeFile(fifo, dimension, records, {}, waiting),
              std::errc::operation_canceled);
    waitOver = true;
    late.join();
    EXPECT_FALSE(rescued);
    EXPECT_EQ(records.GetSize(), 3);
}

// Compressed data through a pipe whose writer gave it whole and then stalls:
// the thread that decompresses ahead waits for more, and the cancel ends
// the read, the dataset as it was.
TEST(ReadProgress, CancelReachesTheDecompressionWaitingForAPipe) {
    const TempDir dir;
    const std::string fifo = dir.Path() + "/pipe";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const quib::Compression format : kCompressions) {
        SCOPED_TRACE(CompressedSuffix(format));
        quib::ReadProgress progress;
        std::atomic<bool> readOver = false;
        std::atomic<bool> writerClosed = false;
        std::thread writer([&] {
            const int fd = open(fifo.c_str(), O_WRONLY | O_CLOEXEC);
            const std::string data = CompressText(Records(3), format);
            EXPECT_EQ(write(fd, data.data(), data.size()), ssize_t(data.size()));
            // Once the pipe is empty the reader has taken it all and waits;
            // should the read not end, closing the pipe ends it at last.
            int unread = 1;
            const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (unread > 0 && ioctl(fd, FIONREAD, &unread) == 0 &&
                   std::chrono::steady_clock::now() < giveUp)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            EXPECT_EQ(unread, 0);
            progress.cancelled = true;
            while (!readOver && std::chrono::steady_clock::now() < giveUp)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            writerClosed = true;
            close(fd);
        });
        int dimension = 26;
        CLatticeRecordArray records;
        records.SetSize(2);
        EXPECT_EQ(quib::ReadLatticeFile(fifo, dimension, records, {}, progress),
                  std::errc::operation_canceled);
        EXPECT_FALSE(writerClosed);
        readOver = true;
        writer.join();
        EXPECT_EQ(dimension, 26);
        EXPECT_EQ(records.GetSize(), 2);
    }
}

// `quib <(zcat run.dat.gz)`: the probe before the window leaves the pipe's
// bytes to the read.
TEST(ReadProgress, ProbeLeavesAPipeToTheRead) {
    const TempDir dir;
    const std::string fifo = dir.Path() + "/pipe";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::thread writer([&] {
        sigset_t pipeSignal;
        sigemptyset(&pipeSignal);
        sigaddset(&pipeSignal, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);
        const int fd = open(fifo.c_str(), O_WRONLY | O_CLOEXEC);
        const std::string lines = Records(3);
        EXPECT_EQ(write(fd, lines.data(), lines.size()), ssize_t(lines.size()));
        close(fd);
    });
    EXPECT_FALSE(quib::ProbeLatticeFile(fifo));
    // A probe that took the bytes leaves the read waiting for a writer.
    quib::ReadProgress progress;
    std::thread giveUp([&] {
        for (int k = 0; k < 500 && !progress.cancelled; ++k)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        progress.cancelled = true;
    });
    int dimension = -1;
    CLatticeRecordArray records;
    EXPECT_FALSE(quib::ReadLatticeFile(fifo, dimension, records, {}, progress));
    progress.cancelled = true;
    giveUp.join();
    writer.join();
    EXPECT_EQ(records.GetSize(), 3);
}

} // namespace
