// A data file that another program writes while Quib reads it: what was
// whole when it was read is read whole, and nothing goes wrong.

#include "DataFileReader.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

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
    std::atomic<bool> done{false};
    std::thread writer([&] {
        const int fd = open(path.c_str(), O_WRONLY | O_APPEND);
        for (int number = 1; number <= 20000 && !done; ++number) {
            const std::string line = LineOf(number);
            const std::size_t half = line.size() / 2;
            if (write(fd, line.data(), half) < 0 ||
                write(fd, line.data() + half, line.size() - half) < 0)
                break;
        }
        close(fd);
    });
    for (int round = 0; round < 30; ++round) {
        CLatticeRecordArray records;
        int dimension = -1;
        ASSERT_TRUE(ReadLatticeFile(path, dimension, records, {}).read);
        for (int i = 0; i + 1 < records.GetSize(); ++i) {
            ASSERT_EQ(records[i].m_nRecordNumber, i + 1);
            ASSERT_EQ(records[i].m_nNodeValue[31], (i + 1) * 100 + 25);
        }
    }
    done = true;
    writer.join();
}

// Cut short and written anew while it is read: the reads end where the file
// ends at the time, whatever they find.
TEST(ChangingFile, AFileThatShrinksWhileItIsRead) {
    const TempDir dir;
    std::string bytes = "DIM=26\n";
    for (int number = 1; number <= 3000; ++number)
        bytes += LineOf(number);
    const std::string path = dir.Write("shrinking.dat", bytes);
    std::atomic<bool> done{false};
    std::thread writer([&] {
        while (!done) {
            const int fd = open(path.c_str(), O_WRONLY | O_TRUNC);
            if (fd < 0 || write(fd, bytes.data(), bytes.size()) < 0)
                break;
            close(fd);
        }
    });
    for (int round = 0; round < 30; ++round) {
        CLatticeRecordArray records;
        int dimension = -1;
        ASSERT_TRUE(ReadLatticeFile(path, dimension, records, {}).read);
        ASSERT_LE(records.GetSize(), 3000);
    }
    done = true;
    writer.join();
}

} // namespace
