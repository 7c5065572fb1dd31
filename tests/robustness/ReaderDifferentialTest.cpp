#include "Compress.h"
#include "DataFileReader.h"
#include "RandomDataFile.h"
#include "ReaderComparison.h"
#include "ReferenceReader.h"
#include "Sanitizers.h"
#include "TempDir.h"
#include "ValueScan.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <random>
#include <string>

namespace {

struct ReadingCase {
    std::uint64_t seed;
    std::string bytes;
    int existing;
    std::size_t chunk;
};

ReadingCase MakeCase(std::uint64_t seed) {
    RandomDataFile generator(seed);
    std::mt19937_64 choices(seed ^ 0x9E3779B97F4A7C15ull);
    ReadingCase c{seed, generator.Make(), 0, 0};
    c.existing = choices() % 3 == 0 ? static_cast<int>(choices() % 6) : 0;
    c.chunk = 1 + static_cast<std::size_t>(choices() % 64);
    return c;
}

constexpr std::uint64_t kFirstSeed = 20240601;
constexpr int kCases = 4000;
constexpr int kMaxReported = 5;

template <typename Separator>
bool HasRunLongerThan(const std::string& bytes, std::size_t length, Separator isSeparator) {
    std::size_t run = 0;
    for (char c : bytes) {
        run = isSeparator(static_cast<unsigned char>(c)) ? 0 : run + 1;
        if (run > length)
            return true;
    }
    return false;
}

bool HasTokenLongerThan(const std::string& bytes, std::size_t length) {
    return HasRunLongerThan(bytes, length, [](unsigned char c) { return std::isspace(c); });
}

bool HasLongLine(const std::string& bytes) {
    return HasRunLongerThan(bytes, std::size_t{1} << 20, [](unsigned char c) { return c == '\n'; });
}

// Under the sanitizers a share of the cases is read, and every case with a
// line past 1 MiB, which the generator makes rarely.
bool ReadInThisTree(int k, const ReadingCase& c) {
    return k % kSanitizerShare == 0 || HasLongLine(c.bytes);
}

std::string Reproduce(const ReadingCase& c, const char* how) {
    return std::string("seed ") + std::to_string(c.seed) + ", " + how + ", " +
           std::to_string(c.existing) + " records before, input \"" + EscapeBytes(c.bytes) + "\"";
}

// The comparisons run with each way of scanning values the processor has.
class ReaderDifferentialTest : public ::testing::TestWithParam<quib::ValueScanner> {
  protected:
    void SetUp() override {
        if (!quib::IsValueScannerAvailable(GetParam()))
            GTEST_SKIP() << "this processor lacks the scanner's instructions";
        quib::UseValueScanner(GetParam());
    }
    void TearDown() override { quib::UseValueScanner(quib::FastestValueScanner()); }
};

std::string ScannerName(const ::testing::TestParamInfo<quib::ValueScanner>& info) {
    return quib::ValueScannerName(info.param);
}

INSTANTIATE_TEST_SUITE_P(Scanners, ReaderDifferentialTest,
                         ::testing::ValuesIn(quib::kValueScanners), ScannerName);

// Every generated file, read through a descriptor in small chunks, so that
// lines straddle reads, and in one read, agrees with the reference.
TEST_P(ReaderDifferentialTest, DescriptorReadsAgreeWithReference) {
    int reported = 0;
    for (int k = 0; k < kCases && reported < kMaxReported; ++k) {
        const ReadingCase c = MakeCase(kFirstSeed + static_cast<std::uint64_t>(k));
        if (!ReadInThisTree(k, c))
            continue;
        const std::string chunked = CompareDescriptorRead(c.bytes, c.existing, c.chunk);
        const std::string whole =
            CompareDescriptorRead(c.bytes, c.existing, quib::kDefaultReadChunk);
        if (!chunked.empty()) {
            ++reported;
            ADD_FAILURE() << chunked << "\n"
                          << Reproduce(c, ("chunk " + std::to_string(c.chunk)).c_str());
        }
        if (!whole.empty()) {
            ++reported;
            ADD_FAILURE() << whole << "\n" << Reproduce(c, "default chunk");
        }
    }
}

// The path-based reading of the same files, from real files on disk.
TEST_P(ReaderDifferentialTest, FileReadsAgreeWithReference) {
    TempDir dir;
    int reported = 0;
    for (int k = 0; k < kCases && reported < kMaxReported; k += 4) {
        const ReadingCase c = MakeCase(kFirstSeed + static_cast<std::uint64_t>(k));
        const std::string path = dir.Write("case.dat", c.bytes);
        const std::string difference = CompareFileRead(path, c.bytes, c.existing);
        if (!difference.empty()) {
            ++reported;
            ADD_FAILURE() << difference << "\n" << Reproduce(c, "from a file");
        }
    }
}

// The same files compressed each way, in one to three streams, read through
// a descriptor in small chunks, so that lines straddle what each chunk of
// compressed data gives, and in one read.
TEST(CompressedReaderDifferential, DescriptorReadsAgreeWithReference) {
    int reported = 0;
    for (int k = 0; k < kCases && reported < kMaxReported; k += 8) {
        const ReadingCase c = MakeCase(kFirstSeed + static_cast<std::uint64_t>(k));
        const quib::Compression format = kCompressions[(k / 8) % 3];
        const int pieces = 1 + (k / 24) % 3;
        const std::string stored = CompressText(c.bytes, format, pieces);
        const std::string how =
            std::string(CompressedSuffix(format)) + " in " + std::to_string(pieces) + ", chunk ";
        for (const std::size_t chunk : {c.chunk, quib::kDefaultReadChunk}) {
            const std::string difference =
                CompareDescriptorRead(c.bytes, stored, c.existing, chunk);
            if (!difference.empty()) {
                ++reported;
                ADD_FAILURE() << difference << "\n"
                              << Reproduce(c, (how + std::to_string(chunk)).c_str());
            }
        }
    }
}

// Compressed text many times what is decompressed ahead (16 chunks of at
// least 4 KiB) read in small chunks: the ring of chunks goes round again and
// again, each thread waits for the other, records run on from one chunk into
// the next and one line across the whole ring.
TEST(CompressedReaderDifferential, TextManyTimesTheReadAheadAgreesWithReference) {
    std::mt19937 random(29);
    std::string text = "DIM=32\nCONV_SECTION\n";
    for (int record = 1; record <= 12000; ++record) {
        text += "(" + std::to_string(record) + ")";
        const unsigned values = record == 6000 ? 20000 : 1 + random() % 32;
        for (unsigned k = 0; k < values; ++k)
            text += " " + std::to_string(static_cast<int>(random() % 200000) - 1000);
        text += "\n";
    }
    for (const quib::Compression format : kCompressions) {
        const std::string stored = CompressText(text, format, 2);
        for (const std::size_t chunk : {std::size_t{1000}, std::size_t{4096}}) {
            EXPECT_EQ(CompareDescriptorRead(text, stored, 2, chunk), "")
                << CompressedSuffix(format) << ", chunk " << chunk;
        }
    }
}

// The generator must reach what it claims to mix in, or the comparisons
// above prove less than they seem to.
TEST(ReaderDifferentialCoverage, GeneratedFilesCoverTheFeatures) {
    int cases = 0, longLines = 0, longTokens = 0, withNul = 0, withHighBytes = 0, withCrLf = 0,
        withExisting = 0;
    int withRecords = 0, withWarnings = 0;
    for (int k = 0; k < kCases; ++k) {
        const ReadingCase c = MakeCase(kFirstSeed + static_cast<std::uint64_t>(k));
        if (!ReadInThisTree(k, c))
            continue;
        ++cases;
        longLines += HasLongLine(c.bytes);
        longTokens += HasTokenLongerThan(c.bytes, 63);
        withNul += c.bytes.find('\0') != std::string::npos;
        withHighBytes += c.bytes.find_first_of("\x80\xff") != std::string::npos;
        withCrLf += c.bytes.find("\r\n") != std::string::npos;
        withExisting += c.existing > 0;
        const ReferenceDataset expected = ReferenceRead(c.bytes, c.existing);
        withRecords += !expected.records.empty();
        withWarnings += expected.warnings > 0;
    }
    EXPECT_GE(longLines, 3);
    EXPECT_GE(longTokens, cases / 10);
    EXPECT_GE(withNul, cases / 4);
    EXPECT_GE(withHighBytes, cases / 10);
    EXPECT_GE(withCrLf, cases / 4);
    EXPECT_GE(withExisting, cases / 5);
    EXPECT_GE(withRecords, cases / 2);
    EXPECT_GE(withWarnings, cases / 10);
}

} // namespace
