// A data file that another program writes while Quib reads it: what was
// whole when it was read is read whole, and nothing goes wrong.

#include "DataFileReader.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace {

// Reads the file again and again while `change` works on it, handing each
// reading's records to `check`.
void ReadWhileChanging(const std::string& path,
                       const std::function<void(std::atomic<bool>&)>& change,
                       const std::function<void(const CLatticeRecordArray&)>& check) {
    std::atomic<bool> done{false};
    std::thread writer([&] { change(done); });
    for (int round = 0; round < 30 && !testing::Test::HasFatalFailure(); ++round) {
        CLatticeRecordArray records;
        int dimension = -1;
        EXPECT_FALSE(quib::ReadLatticeFile(path, dimension, records, {}));
        check(records);
    }
    done = true;
    writer.join();
}

std::string LineOf(int number) {
    std::string line = "(" + std::to_string(number) + ")";
    for (int k = 0; k < 26; ++k)
        line += " " + std::to_string(number * 100 + k);
    return line + "\n";
}

// Appended to line by line, in pieces, while it is read again and again:
// every read gives records 1, 2, 3, ... each with its values, but for a
// last line caught half written.
TEST(ChangingFile, AFileThatGrowsWhileItIsRead) {
    const TempDir dir;
    const std::string path = dir.Write("growing.dat", "DIM=26\n");
    const auto grow = [&path](std::atomic<bool>& done) {
        const int fd = open(path.c_str(), O_WRONLY | O_APPEND);
        for (int number = 1; number <= 20000 && !done; ++number) {
            const std::string line = LineOf(number);
            const std::size_t half = line.size() / 2;
            if (write(fd, line.data(), half) < 0 ||
                write(fd, line.data() + half, line.size() - half) < 0)
                break;
        }
        close(fd);
    };
    ReadWhileChanging(path, grow, [](const CLatticeRecordArray& records) {
        for (int i = 0; i + 1 < records.GetSize(); ++i) {
            ASSERT_EQ(records[i].m_nRecordNumber, i + 1);
            ASSERT_EQ(records[i].m_nNodeValue[31], (i + 1) * 100 + 25);
        }
    });
}

// Cut short and written anew while it is read: the reads end where the file
// ends at the time, whatever they find.
TEST(ChangingFile, AFileThatShrinksWhileItIsRead) {
    const TempDir dir;
    std::string bytes = "DIM=26\n";
    for (int number = 1; number <= 3000; ++number)
        bytes += LineOf(number);
    const std::string path = dir.Write("shrinking.dat", bytes);
    const auto rewrite = [&](std::atomic<bool>& done) {
        while (!done) {
            const int fd = open(path.c_str(), O_WRONLY | O_TRUNC);
            if (fd < 0 || write(fd, bytes.data(), bytes.size()) < 0)
                break;
            close(fd);
        }
    };
    ReadWhileChanging(path, rewrite, [](const CLatticeRecordArray& records) {
        ASSERT_LE(records.GetSize(), 3000);
    });
}

} // namespace
