#include "ReaderComparison.h"

#include "DataFileReader.h"
#include "ReferenceReader.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <functional>

namespace {

// The reader must overwrite whatever dimension the dataset held.
constexpr int kStaleDimension = -7;

CLatticeRecord ExistingRecord(int index) {
    CLatticeRecord record;
    for (int n = 0; n < quib::kNodeCount; ++n)
        record.m_nNodeValue[n] = 1000 * index + n - 500;
    record.m_nRecordNumber = 7 * index - 3;
    return record;
}

ReferenceRecord AsReference(const CLatticeRecord& record) {
    ReferenceRecord copy;
    for (int n = 0; n < quib::kNodeCount; ++n)
        copy.values[n] = record.m_nNodeValue[n];
    copy.number = record.m_nRecordNumber;
    return copy;
}

std::string Describe(const ReferenceRecord& record) {
    std::string text = "(" + std::to_string(record.number) + ")";
    for (int value : record.values)
        text += " " + std::to_string(value);
    return text;
}

using Reading = std::function<std::error_code(int& dimension, CLatticeRecordArray& records,
                                              const quib::ReaderWarning& warn)>;

std::string CompareReading(const std::string& bytes, int existing, const Reading& read) {
    CLatticeRecordArray records;
    FillExistingRecords(records, existing);
    int dimension = kStaleDimension;
    int warnings = 0;
    const std::error_code outcome =
        read(dimension, records, [&warnings](const char*) { ++warnings; });
    if (outcome)
        return "read failed: " + outcome.message();

    const ReferenceDataset expected = ReferenceRead(bytes, existing);
    if (dimension != expected.dimension)
        return "dimension " + std::to_string(dimension) + ", expected " +
               std::to_string(expected.dimension);
    if (warnings != expected.warnings)
        return std::to_string(warnings) + " warnings, expected " +
               std::to_string(expected.warnings);
    const int expectedSize = existing + static_cast<int>(expected.records.size());
    if (records.GetSize() != expectedSize)
        return std::to_string(records.GetSize()) + " records, expected " +
               std::to_string(expectedSize);
    for (int i = 0; i < expectedSize; ++i) {
        const ReferenceRecord got = AsReference(records[i]);
        const ReferenceRecord want = i < existing
                                         ? AsReference(ExistingRecord(i))
                                         : expected.records[static_cast<std::size_t>(i - existing)];
        if (got != want)
            return "record " + std::to_string(i) + " is " + Describe(got) + ", expected " +
                   Describe(want);
    }
    return {};
}

} // namespace

int MemoryFileWith(const std::string& bytes) {
    const int fd = memfd_create("quib-reader-input", MFD_CLOEXEC);
    if (fd < 0)
        return -1;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote <= 0) {
            close(fd);
            return -1;
        }
        done += static_cast<std::size_t>(wrote);
    }
    if (lseek(fd, 0, SEEK_SET) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

void FillExistingRecords(CLatticeRecordArray& records, int count) {
    for (int i = 0; i < count; ++i)
        records.Add(ExistingRecord(i));
}

std::string CompareDescriptorRead(const std::string& bytes, int existing, std::size_t chunkBytes) {
    return CompareDescriptorRead(bytes, bytes, existing, chunkBytes);
}

std::string CompareDescriptorRead(const std::string& bytes, const std::string& stored, int existing,
                                  std::size_t chunkBytes) {
    const int fd = MemoryFileWith(stored);
    if (fd < 0)
        return "cannot make a memory file";
    const std::string difference = CompareReading(
        bytes, existing,
        [fd, chunkBytes](int& dimension, CLatticeRecordArray& records,
                         const quib::ReaderWarning& warn) {
            return quib::ReadLatticeDescriptor(fd, dimension, records, warn, chunkBytes);
        });
    close(fd);
    return difference;
}

std::string CompareFileRead(const std::string& path, const std::string& bytes, int existing) {
    return CompareReading(
        bytes, existing,
        [&path](int& dimension, CLatticeRecordArray& records, const quib::ReaderWarning& warn) {
            return quib::ReadLatticeFile(path, dimension, records, warn);
        });
}

std::string EscapeBytes(const std::string& bytes, std::size_t limit) {
    std::string text;
    const std::size_t shown = bytes.size() < limit ? bytes.size() : limit;
    for (std::size_t i = 0; i < shown; ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c == '\\' || c == '"') {
            text += '\\';
            text += static_cast<char>(c);
        } else if (c == '\n') {
            text += "\\n";
        } else if (c >= 0x20 && c < 0x7F) {
            text += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            text += escaped;
            // A hex digit right after would extend the escape.
            if (i + 1 < shown && std::isxdigit(static_cast<unsigned char>(bytes[i + 1])))
                text += "\"\"";
        }
    }
    if (shown < bytes.size())
        text += "... (" + std::to_string(bytes.size()) + " bytes in all)";
    return text;
}
