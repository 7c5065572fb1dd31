#include "DataFileReader.h"
#include "FileCheck.h"
#include "ReaderComparison.h"
#include "ReferenceCheck.h"
#include "ValueScan.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Larger than the inputs the fuzzer makes, so that each is read at once, and
// small enough not to dominate the time of a run as the default buffer would.
constexpr std::size_t kWholeInputChunk = std::size_t{1} << 16;

void Compare(const std::string& bytes, int existing, std::size_t chunkBytes) {
    for (ValueScanner scanner : kValueScanners) {
        if (!IsValueScannerAvailable(scanner))
            continue;
        UseValueScanner(scanner);
        const std::string difference = CompareDescriptorRead(bytes, existing, chunkBytes);
        if (difference.empty())
            continue;
        std::fprintf(stderr,
                     "reader differs from the reference: %s\n(%s scanner, %d records before, "
                     "chunk %zu)\n",
                     difference.c_str(), ValueScannerName(scanner), existing, chunkBytes);
        __builtin_trap();
    }
}

// The check of how the file reads finds what the plain rules find.
void CompareCheck(const std::string& bytes, std::size_t chunkBytes) {
    const int fd = memfd_create("quib-check", MFD_CLOEXEC);
    if (fd < 0 || write(fd, bytes.data(), bytes.size()) != ssize_t(bytes.size()) ||
        lseek(fd, 0, SEEK_SET) != 0)
        __builtin_trap();
    std::vector<Finding> findings;
    const bool read = !CheckDataDescriptor(fd, findings, chunkBytes);
    close(fd);
    std::vector<std::string> kinds;
    for (const Finding& finding : findings)
        kinds.push_back(std::to_string(finding.line) + " " + finding.kind);
    std::sort(kinds.begin(), kinds.end());
    if (read && kinds == ReferenceCheck(bytes))
        return;
    std::fprintf(stderr, "the check differs from the reference (chunk %zu)\n", chunkBytes);
    __builtin_trap();
}

} // namespace

// The first byte chooses how the bytes after it are read: its low six bits a
// chunk size (0 for one read of the whole input), its top two bits how many
// records the second dataset holds before the read.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t chunk = data[0] & 0x3F;
    const int existing = 1 + (data[0] >> 6);
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    Compare(bytes, 0, chunk == 0 ? kWholeInputChunk : chunk);
    Compare(bytes, existing, kWholeInputChunk);
    CompareCheck(bytes, chunk == 0 ? kWholeInputChunk : chunk);
    return 0;
}
