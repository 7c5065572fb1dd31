#include "Compress.h"
#include "DataFileReader.h"
#include "FileCheck.h"
#include "ReadError.h"
#include "ReaderComparison.h"
#include "ReferenceCheck.h"
#include "ValueScan.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Larger than the inputs the fuzzer makes, so that each is read at once, and
// small enough not to dominate the time of a run as the default buffer would.
constexpr std::size_t kWholeInputChunk = std::size_t{1} << 16;
// Compressed inputs that decompress to more are passed over: a few
// kilobytes can hold gigabytes, and the fuzzer would spend its time on them.
constexpr std::size_t kLargestDecompressed = std::size_t{1} << 20;

[[noreturn]] void Fail(const char* what, std::size_t chunkBytes) {
    std::fprintf(stderr, "%s (chunk %zu)\n", what, chunkBytes);
    __builtin_trap();
}

// The file holds `stored`, which must read as `text`.
void Compare(const std::string& text, const std::string& stored, int existing,
             std::size_t chunkBytes, quib::ValueScanner scanner = quib::FastestValueScanner()) {
    quib::UseValueScanner(scanner);
    const std::string difference = CompareDescriptorRead(text, stored, existing, chunkBytes);
    quib::UseValueScanner(quib::FastestValueScanner());
    if (difference.empty())
        return;
    std::fprintf(stderr, "reader differs from the reference: %s\n(%s scanner, %d records before)\n",
                 difference.c_str(), quib::ValueScannerName(scanner), existing);
    Fail("the reading differs", chunkBytes);
}

void CompareWithEachScanner(const std::string& bytes, int existing, std::size_t chunkBytes) {
    for (quib::ValueScanner scanner : quib::kValueScanners)
        if (quib::IsValueScannerAvailable(scanner))
            Compare(bytes, bytes, existing, chunkBytes, scanner);
}

// The check of how the file reads finds what the plain rules find in `text`.
void CompareCheck(const std::string& text, const std::string& stored, std::size_t chunkBytes) {
    const int fd = MemoryFileWith(stored);
    if (fd < 0)
        __builtin_trap();
    std::vector<quib::Finding> findings;
    const bool read = !quib::CheckDataDescriptor(fd, findings, chunkBytes);
    close(fd);
    std::vector<std::string> kinds;
    for (const quib::Finding& finding : findings)
        kinds.push_back(std::to_string(finding.line) + " " + finding.kind);
    std::sort(kinds.begin(), kinds.end());
    if (!read || kinds != ReferenceCheck(text))
        Fail("the check differs from the reference", chunkBytes);
}

// Compressed data that is not whole: the read fails as the reader's own
// failure and leaves the dataset as it was; so does the check.
void ExpectFailure(const std::string& stored, int existing, std::size_t chunkBytes) {
    const int fd = MemoryFileWith(stored);
    if (fd < 0)
        __builtin_trap();
    CLatticeRecordArray records, before;
    FillExistingRecords(records, existing);
    FillExistingRecords(before, existing);
    int dimension = -7;
    const std::error_code error =
        quib::ReadLatticeDescriptor(fd, dimension, records, {}, chunkBytes);
    std::vector<quib::Finding> findings;
    lseek(fd, 0, SEEK_SET);
    const std::error_code checked = quib::CheckDataDescriptor(fd, findings, chunkBytes);
    close(fd);
    bool unchanged = dimension == -7 && records.GetSize() == existing;
    for (int i = 0; unchanged && i < existing; ++i)
        unchanged = std::memcmp(&records[i], &before[i], sizeof(CLatticeRecord)) == 0;
    if (error.category() != std::error_code(quib::ReadError::CompressedDataCorrupt).category() ||
        checked != error || !findings.empty() || !unchanged)
        Fail("broken compressed data was not refused as such", chunkBytes);
}

quib::Compression CompressionOf(const std::string& bytes) {
    return quib::CompressionOf(reinterpret_cast<const unsigned char*>(bytes.data()),
                               std::min(bytes.size(), quib::kMagicBytes));
}

} // namespace

// The first byte chooses how the bytes after it are read: its low six bits a
// chunk size (0 for one read of the whole input), its top two bits how many
// records the second dataset holds before the read. Bytes that begin as
// gzip, xz or zstd data are decompressed whole by the reference, which the
// reader must agree with; other bytes are read as they are and, for a third
// of the chunk sizes, also compressed here into one to three streams.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t chunkBits = data[0] & 0x3F;
    const std::size_t chunk = chunkBits == 0 ? kWholeInputChunk : chunkBits;
    const int existing = 1 + (data[0] >> 6);
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    if (const quib::Compression format = CompressionOf(bytes); format != quib::Compression::None) {
        std::string text;
        switch (ReferenceDecompress(bytes, format, text, kLargestDecompressed)) {
        case Decompressed::Whole:
            Compare(text, bytes, existing, chunk);
            CompareCheck(text, bytes, chunk);
            break;
        case Decompressed::Invalid:
            ExpectFailure(bytes, existing, chunk);
            break;
        case Decompressed::TooLarge:
            break;
        }
        return 0;
    }

    CompareWithEachScanner(bytes, 0, chunk);
    CompareWithEachScanner(bytes, existing, kWholeInputChunk);
    CompareCheck(bytes, bytes, chunk);
    if (chunkBits % 3 == 1) {
        const quib::Compression format = kCompressions[chunkBits / 3 % 3];
        const std::string stored = CompressText(bytes, format, 1 + static_cast<int>(size % 3));
        Compare(bytes, stored, existing, chunk);
        CompareCheck(bytes, stored, chunk);
    }
    return 0;
}
