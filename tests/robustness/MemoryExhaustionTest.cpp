#include "Compress.h"
#include "DataFileReader.h"
#include "LatticeDocument.h"
#include "Process.h"
#include "ReaderComparison.h"
#include "Sanitizers.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>
#include <system_error>
#include <thread>

namespace {

#define SKIP_UNDER_ADDRESS_SANITIZER()                                                             \
    if (kUnderAddressSanitizer)                                                                    \
    GTEST_SKIP() << "no address-space limit under AddressSanitizer"

constexpr std::size_t kMiB = std::size_t{1} << 20;
// Room left above the child's address space when the limit is set: ample
// for an ordinary read, far below what the large files need.
constexpr std::size_t kHeadroom = 16 * kMiB;

std::string Repeat(const std::string& text, std::size_t times) {
    std::string out;
    out.reserve(text.size() * times);
    for (std::size_t k = 0; k < times; ++k)
        out += text;
    return out;
}

// Two million records need 264 MB of records; the file is 4 MB.
std::string ManyRecords() {
    return Repeat("1\n", 2'000'000);
}

// One line of 32 MB, which the line buffer must hold whole.
std::string OneLongLine() {
    return std::string(32 * kMiB, '7') + "\n";
}

// A size the kernel tells of this process, such as "VmSize:", in bytes.
std::size_t StatusBytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::stoull(line.substr(field.size())) * 1024;
    }
    return 0;
}

std::size_t AddressSpaceBytes() {
    return StatusBytes("VmSize:");
}

// What the child found, as its exit status.
enum ChildResult {
    kAllAsExpected = 0,
    kNoLimit = 10,
    kSmallReadFailed,
    kNotOutOfMemory,
    kDimensionChanged,
    kRecordsChanged,
    kPairsChanged,
    kThreadStarted,
    kThrew,
};

const char* Explain(int status) {
    switch (status) {
    case kAllAsExpected:
        return "as expected";
    case kNoLimit:
        return "the address-space limit could not be set";
    case kSmallReadFailed:
        return "a small file could not be read under the limit";
    case kNotOutOfMemory:
        return "the large read did not fail with ENOMEM";
    case kDimensionChanged:
        return "the failed read changed the dimension";
    case kRecordsChanged:
        return "the failed read changed the records";
    case kPairsChanged:
        return "the failed import changed the pairs";
    case kThreadStarted:
        return "a thread could still be started";
    case kThrew:
        return "the read threw an exception";
    default:
        return "the child ended abnormally";
    }
}

constexpr int kExistingRecords = 1000;
constexpr int kExistingDimension = 32;

// Runs in the child: the address space is capped just above what the child
// uses, then the large file is read into a dataset that holds records.
ChildResult ReadUnderLimit(const std::string& largePath, const std::string& smallPath) {
    CLatticeRecordArray records;
    FillExistingRecords(records, kExistingRecords);
    CLatticeRecordArray expected;
    FillExistingRecords(expected, kExistingRecords);

    const rlimit limit{AddressSpaceBytes() + kHeadroom, RLIM_INFINITY};
    if (limit.rlim_cur == kHeadroom || setrlimit(RLIMIT_AS, &limit) != 0)
        return kNoLimit;

    int smallDimension = -1;
    CLatticeRecordArray smallRecords;
    if (quib::ReadLatticeFile(smallPath, smallDimension, smallRecords, {}) ||
        smallRecords.GetSize() != 3)
        return kSmallReadFailed;

    int dimension = kExistingDimension;
    const std::error_code outcome = quib::ReadLatticeFile(largePath, dimension, records, {});
    if (outcome != std::errc::not_enough_memory)
        return kNotOutOfMemory;
    if (dimension != kExistingDimension)
        return kDimensionChanged;
    if (records.GetSize() != kExistingRecords)
        return kRecordsChanged;
    for (int i = 0; i < kExistingRecords; ++i) {
        if (std::memcmp(&records[i], &expected[i], sizeof(CLatticeRecord)) != 0)
            return kRecordsChanged;
    }
    return kAllAsExpected;
}

// Runs in the child: a document whose primary dataset is so large that
// pairing it needs more than the headroom imports a small file, which reads
// but cannot be paired. The import must be taken back whole.
ChildResult ImportUnderLimit(const std::string& importPath, const std::string& smallPath) {
    LatticeDocument doc;
    doc.m_nPrimaryDim = 32;
    doc.m_primaryRecords.SetSize(2'000'000);
    for (int i = 0; i < 3; ++i)
        doc.m_primaryRecords[i].m_nRecordNumber = i + 1;
    if (doc.ImportDataFile(smallPath) || doc.ImportedPartner(1) != 1)
        return kSmallReadFailed;

    const rlimit limit{AddressSpaceBytes() + kHeadroom, RLIM_INFINITY};
    if (limit.rlim_cur == kHeadroom || setrlimit(RLIMIT_AS, &limit) != 0)
        return kNoLimit;
    const std::error_code outcome = doc.ImportDataFile(importPath);
    if (outcome != std::errc::not_enough_memory)
        return kNotOutOfMemory;
    if (doc.m_nImportedDim != 32)
        return kDimensionChanged;
    if (doc.m_importedRecords.GetSize() != 3)
        return kRecordsChanged;
    for (int i = 0; i < 3; ++i) {
        if (doc.ImportedPartner(i) != i || doc.GetNodeValue(i, 0, 1) != i + 1)
            return kPairsChanged;
    }
    return kAllAsExpected;
}

// Runs in the child: too little address space is left for a thread's stack
// (8 MiB), yet the compressed file reads, decompressed in the calling thread.
ChildResult ReadWithoutThreads(const std::string& compressedPath, const std::string&) {
    const rlimit limit{AddressSpaceBytes() + 6 * kMiB, RLIM_INFINITY};
    if (setrlimit(RLIMIT_AS, &limit) != 0)
        return kNoLimit;
    try {
        std::thread([] {}).join();
        return kThreadStarted;
    } catch (const std::system_error&) {
    }
    int dimension = -1;
    CLatticeRecordArray records;
    if (quib::ReadLatticeFile(compressedPath, dimension, records, {}) || records.GetSize() != 3)
        return kSmallReadFailed;
    return kAllAsExpected;
}

using Child = ChildResult (*)(const std::string&, const std::string&);

int RunInChild(const std::string& largePath, const std::string& smallPath,
               Child child = ReadUnderLimit) {
    const pid_t pid = fork();
    if (pid == 0) {
        // Nothing may unwind into the test framework's copy in the child.
        try {
            _exit(child(largePath, smallPath));
        } catch (...) {
            _exit(kThrew);
        }
    }
    int wstatus = 0;
    while (waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
}

class MemoryExhaustionTest : public ::testing::Test {
  protected:
    TempDir m_dir;
    const std::string m_small = m_dir.Write("small.dat", "DIM=32\n(1) 1\n(2) 2\n(3) 3\nEND\n");
};

TEST_F(MemoryExhaustionTest, RecordArrayThatCannotGrowLeavesDatasetAsItWas) {
    SKIP_UNDER_ADDRESS_SANITIZER();
    const int status = RunInChild(m_dir.Write("many.dat", ManyRecords()), m_small);
    EXPECT_EQ(status, kAllAsExpected) << Explain(status);
}

TEST_F(MemoryExhaustionTest, LineBufferThatCannotGrowLeavesDatasetAsItWas) {
    SKIP_UNDER_ADDRESS_SANITIZER();
    const int status = RunInChild(m_dir.Write("long.dat", OneLongLine()), m_small);
    EXPECT_EQ(status, kAllAsExpected) << Explain(status);
}

TEST_F(MemoryExhaustionTest, CompressedFileReadsWhereNoThreadCanStart) {
    SKIP_UNDER_ADDRESS_SANITIZER();
    const std::string compressed =
        m_dir.Write("small.dat.zst", CompressText(ReadWholeFile(m_small), quib::Compression::Zstd));
    const int status = RunInChild(compressed, m_small, ReadWithoutThreads);
    // The stacks of threads that ended earlier in this process stay cached
    // for new ones.
    if (status == kThreadStarted)
        GTEST_SKIP() << "a thread's stack is still cached from an earlier test";
    EXPECT_EQ(status, kAllAsExpected) << Explain(status);
}

TEST_F(MemoryExhaustionTest, ImportThatCannotBePairedIsTakenBackWhole) {
    SKIP_UNDER_ADDRESS_SANITIZER();
    const std::string import = m_dir.Write("import.dat", "DIM=26\n(2) 5\n(9) 9\n");
    const int status = RunInChild(import, m_small, ImportUnderLimit);
    EXPECT_EQ(status, kAllAsExpected) << Explain(status);
}

// Reads the file in a child: the read must fail as too large, the dataset
// as it was, the memory taken well below what the line would need.
bool StopsAtTheLongestLine(const std::string& path) {
    const pid_t pid = fork();
    if (pid == 0) {
        CLatticeRecordArray records;
        FillExistingRecords(records, kExistingRecords);
        int dimension = kExistingDimension;
        const std::error_code error = quib::ReadLatticeFile(path, dimension, records, {});
        const bool asBefore =
            dimension == kExistingDimension && records.GetSize() == kExistingRecords;
        const bool small = kUnderAddressSanitizer || StatusBytes("VmHWM:") < 2 * quib::kLongestLine;
        _exit(error == std::errc::file_too_large && asBefore && small ? 0 : 1);
    }
    int wstatus = 0;
    while (waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(wstatus) && WEXITSTATUS(wstatus) == 0;
}

void ExpectInfoToTellTooLarge(const std::string& path) {
    const ProcessResult r = RunProcess(QUIB_EXECUTABLE, {"--info", path});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "quib: cannot open '" + path + "': File too large\n");
}

// Four gigabytes without a line end (a sparse file, so no disk is spent):
// the reader stops at its longest line.
TEST_F(MemoryExhaustionTest, AnEndlessLineStopsAtTheLongestLine) {
    const std::string path = m_dir.Path() + "/endless.dat";
    { std::ofstream create(path); }
    ASSERT_EQ(truncate(path.c_str(), off_t{4} << 30), 0);
    EXPECT_TRUE(StopsAtTheLongestLine(path));
    ExpectInfoToTellTooLarge(path);
}

// Decompression bombs: a few hundred kilobytes of streams one after another
// that decompress to 300 MiB without a line end meet the same limit.
TEST_F(MemoryExhaustionTest, ACompressedEndlessLineStopsAtTheLongestLine) {
    std::string path;
    for (const quib::Compression format : kCompressions) {
        const std::string megabyte = CompressText(std::string(kMiB, '7'), format);
        const std::string bomb = Repeat(megabyte, 300);
        ASSERT_LT(bomb.size(), kMiB);
        path = m_dir.Write(std::string("endless.dat") + CompressedSuffix(format), bomb);
        EXPECT_TRUE(StopsAtTheLongestLine(path)) << CompressedSuffix(format);
    }
    ExpectInfoToTellTooLarge(path);
}

// A few kilobytes that decompress to two million records, which need more
// memory than the limit leaves: out of memory, the dataset as it was.
TEST_F(MemoryExhaustionTest, CompressedRecordsThatCannotGrowLeaveDatasetAsItWas) {
    SKIP_UNDER_ADDRESS_SANITIZER();
    for (const quib::Compression format : kCompressions) {
        const std::string bomb = CompressText(ManyRecords(), format);
        const int status = RunInChild(
            m_dir.Write(std::string("many.dat") + CompressedSuffix(format), bomb), m_small);
        EXPECT_EQ(status, kAllAsExpected) << CompressedSuffix(format) << ": " << Explain(status);
    }
}

ProcessResult RunQuibInfoLimited(std::size_t limitBytes, const std::string& path) {
    return RunProcess(QUIB_PRLIMIT,
                      {"--as=" + std::to_string(limitBytes), QUIB_EXECUTABLE, "--info", path});
}

// The least address-space limit, to 4 MiB, under which the program reads a
// small file; 0 when none up to 16 GiB does.
std::size_t LeastWorkingLimit(const std::string& smallPath) {
    std::size_t failing = 0;
    std::size_t working = 32 * kMiB;
    while (RunQuibInfoLimited(working, smallPath).status != 0) {
        failing = working;
        working *= 2;
        if (working > 16384 * kMiB)
            return 0;
    }
    while (working - failing > 4 * kMiB) {
        const std::size_t middle = failing + (working - failing) / 2;
        (RunQuibInfoLimited(middle, smallPath).status == 0 ? working : failing) = middle;
    }
    return working;
}

TEST_F(MemoryExhaustionTest, InfoReportsOutOfMemoryAsCannotOpen) {
    SKIP_UNDER_ADDRESS_SANITIZER();
    const std::size_t least = LeastWorkingLimit(m_small);
    ASSERT_NE(least, 0u) << "quib --info fails under every limit";
    const std::size_t limit = least + 4 * kHeadroom;
    const ProcessResult small = RunQuibInfoLimited(limit, m_small);
    ASSERT_EQ(small.status, 0) << small.err;
    EXPECT_EQ(small.out, "dimension: 32\nrecords: 3\n");

    // Eight million records need a gigabyte of records.
    const std::string large = m_dir.Write("large.dat", Repeat("1\n", 8'000'000));
    const ProcessResult result = RunQuibInfoLimited(limit, large);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "quib: cannot open '" + large + "': Cannot allocate memory\n");
}

} // namespace
