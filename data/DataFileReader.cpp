#include "DataFileReader.h"

#include "ByteSource.h"
#include "Compression.h"
#include "LineCarry.h"
#include "NumberScan.h"
#include "ReadProgress.h"
#include "ValueScan.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <new>

namespace quib {
namespace {

using namespace number_scan;

bool ContainsDim(const Byte* b, const Byte* e) {
    while (e - b >= 3) {
        const Byte* d =
            static_cast<const Byte*>(std::memchr(b, 'D', static_cast<std::size_t>(e - b - 2)));
        if (d == nullptr)
            return false;
        if (d[1] == 'I' && d[2] == 'M')
            return true;
        b = d + 1;
    }
    return false;
}

// Turns lines into the dimension and records of one dataset.
class DatasetFiller {
  public:
    // Records without a number of their own are numbered as if
    // `recordsBefore` came before the first. Reading stops at the line that
    // gives the `recordLimit`-th record.
    DatasetFiller(CLatticeRecordArray& records, const ReaderWarning& warn,
                  const LineObserver* observe, std::int32_t dimension = kStartDimension,
                  int recordsBefore = 0, int recordLimit = kAllRecords)
        : m_records(records), m_warn(warn), m_observe(observe), m_recordsBefore(recordsBefore),
          m_stopAtSize(records.GetSize() + std::min(recordLimit, INT_MAX - records.GetSize())) {
        SetDimension(dimension);
    }

    int Dimension() const { return m_dimension; }

    // Handles the line [b, e), e lying just past its line end when it has
    // one; *e is readable. Returns false when reading stops after this line.
    bool HandleLine(const Byte* b, const Byte* e) {
        if (m_observe == nullptr)
            return Read(b, e, nullptr);
        LineReading reading;
        reading.line = ++m_line;
        reading.begin = reinterpret_cast<const char*>(b);
        reading.end = reinterpret_cast<const char*>(LineEnd(b, e));
        reading.ended = e[-1] == '\n';
        if (m_stopped) {
            // Past the end only the first line that is not blank matters.
            if (std::all_of(b, LineEnd(b, e), IsSpace))
                return true;
            reading.kind = LineReading::Kind::Unread;
            (*m_observe)(reading);
            return false;
        }
        m_stopped = !Read(b, e, &reading);
        reading.dimension = m_dimension;
        (*m_observe)(reading);
        return true;
    }

  private:
    static const Byte* LineEnd(const Byte* b, const Byte* e) {
        if (e[-1] != '\n')
            return e;
        return e - 1 > b && e[-2] == '\r' ? e - 2 : e - 1;
    }

    // The line's kind goes to `reading` when it is given.
    bool Read(const Byte* b, const Byte* e, LineReading* reading) {
        using Kind = LineReading::Kind;
        const auto tell = [reading](Kind kind) {
            if (reading != nullptr)
                reading->kind = kind;
        };
        if (ContainsDim(b, e)) {
            HandleDimensionLine(b, e);
            tell(Kind::Dimension);
            return true;
        }
        if (e[-1] == '\n') {
            const Byte* end = LineEnd(b, e);
            const std::size_t length = static_cast<std::size_t>(end - b);
            if (length == 0) {
                tell(Kind::Empty);
                return false;
            }
            if (length >= 12 && std::memcmp(end - 12, "CONV_SECTION", 12) == 0) {
                tell(Kind::Section);
                return true;
            }
            if (length == 3 && std::memcmp(b, "END", 3) == 0) {
                tell(Kind::End);
                return false;
            }
        }
        tell(Kind::Record);
        HandleRecordLine(b, e, reading);
        return m_records.GetSize() < m_stopAtSize;
    }

    void SetDimension(std::int32_t dimension) {
        // Slots outside the new span must read 0 from now on.
        m_record = CLatticeRecord{};
        m_dimension = dimension;
        m_valueLimit = std::clamp(dimension, 0, kNodeCount);
        m_slotOffset = kNodeCount - m_valueLimit;
    }

    void HandleDimensionLine(const Byte* b, const Byte* e) {
        std::int32_t dimension = m_dimension;
        if (const void* equals = std::memchr(b, '=', static_cast<std::size_t>(e - b))) {
            const Byte* p = static_cast<const Byte*>(equals) + 1;
            while (p < e && IsSpace(*p))
                ++p;
            if (p < e)
                ReadInteger(p, dimension);
        }
        if (dimension != 26 && dimension != 32 && m_warn)
            m_warn(kWrongDimensionMessage);
        SetDimension(dimension);
    }

    std::int32_t NextRecordNumber() const {
        return Saturate(std::int64_t{m_recordsBefore} + m_records.GetSize() + 1);
    }

    void HandleRecordLine(const Byte* b, const Byte* e, LineReading* reading) {
        if (m_valueLimit == 0)
            return;
        const Byte* p = b;
        std::int32_t number;
        if (*b == '(') {
            const void* close = std::memchr(b + 1, ')', static_cast<std::size_t>(e - b - 1));
            if (close == nullptr)
                return;
            const Byte* q = b + 1;
            while (IsSpace(*q))
                ++q;
            if (!ReadInteger(q, number))
                number = NextRecordNumber();
            p = static_cast<const Byte*>(close) + 1;
        } else {
            number = NextRecordNumber();
        }

        std::int32_t* slots = m_record.m_nNodeValue + m_slotOffset;
        const int count = m_scanValues(p, e, slots, m_valueLimit);
        if (count == 0)
            return;
        // Slots this line left out still hold the previous line's values.
        std::fill(slots + count, slots + m_valueLimit, 0);
        m_record.m_nRecordNumber = number;
        m_records.Add(m_record);
        if (reading != nullptr) {
            reading->gaveRecord = true;
            reading->values = reinterpret_cast<const char*>(p);
            reading->valueCount = count;
            reading->recordNumber = number;
        }
    }

    CLatticeRecordArray& m_records;
    const ReaderWarning& m_warn;
    const LineObserver* m_observe;
    const int m_recordsBefore;
    const int m_stopAtSize;
    long long m_line = 0;
    bool m_stopped = false;
    const ValueScanFunction m_scanValues = ActiveValueScan();
    CLatticeRecord m_record;
    std::int32_t m_dimension = 0;
    int m_valueLimit = 0;
    int m_slotOffset = 0;
};

std::error_code LastError() {
    return {errno, std::generic_category()};
}

// A last line without its line end: read as a line, or held back for when
// the rest of it has been written.
enum class LastLine { Read, Held };

// What feeding lines came to: the bytes of the lines handled, each ending in
// its line end, and whether an end line or empty line stopped the reading.
struct Fed {
    std::uint64_t completeBytes = 0;
    bool stopped = false;
};

// Tells a read's progress chunk by chunk (the sources stop a cancelled read
// at their next read of the descriptor). The bytes taken from the descriptor are where it stands
// (the compressed data read ahead of the text); where it cannot seek, as for a pipe, the bytes the
// source gave.
class ProgressTeller {
  public:
    ProgressTeller(int fd, ReadProgress* progress) : m_fd(fd), m_progress(progress) {
        if (m_progress != nullptr)
            m_start = lseek(m_fd, 0, SEEK_CUR);
    }

    // After a chunk of `got` bytes.
    void Tell(std::size_t got) {
        if (m_progress == nullptr)
            return;
        m_given += got;
        const off_t at = m_start >= 0 ? lseek(m_fd, 0, SEEK_CUR) : -1;
        const std::uint64_t taken =
            at >= m_start && m_start >= 0 ? static_cast<std::uint64_t>(at - m_start) : m_given;
        if (taken > m_told) {
            m_progress->bytesRead.fetch_add(taken - m_told, std::memory_order_relaxed);
            m_told = taken;
        }
    }

  private:
    int m_fd;
    ReadProgress* m_progress;
    off_t m_start = -1;
    std::uint64_t m_given = 0;
    std::uint64_t m_told = 0;
};

// Feeds the lines of a source to the filler, each line where the source
// lent it, one that runs on across pieces gathered first.
std::error_code FeedLines(ByteSource& source, DatasetFiller& filler, LastLine last, Fed& fed,
                          ProgressTeller& teller) {
    LineCarry carry;
    const auto handle = [&](const Byte* b, const Byte* e) {
        fed.completeBytes += static_cast<std::uint64_t>(e - b);
        fed.stopped = !filler.HandleLine(b, e);
        return !fed.stopped;
    };
    for (;;) {
        BytePiece piece;
        if (const std::error_code error = source.Next(piece))
            return error;
        teller.Tell(piece.count);
        if (piece.count == 0) {
            if (!carry.Empty() && last == LastLine::Read) {
                carry.Close();
                filler.HandleLine(carry.Begin(), carry.End());
            }
            return {};
        }
        const Byte* b = piece.bytes;
        const Byte* const end = b + piece.count;
        if (!carry.Empty()) {
            const void* lf = std::memchr(b, '\n', piece.count);
            const Byte* e = lf != nullptr ? static_cast<const Byte*>(lf) + 1 : end;
            if (const std::error_code error = carry.Append(b, e, lf != nullptr))
                return error;
            if (lf == nullptr)
                continue;
            if (!handle(carry.Begin(), carry.End()))
                return source.CheckRest();
            carry.Clear();
            b = e;
        }
        while (const void* lf = std::memchr(b, '\n', static_cast<std::size_t>(end - b))) {
            const Byte* e = static_cast<const Byte*>(lf) + 1;
            if (!handle(b, e))
                return source.CheckRest();
            b = e;
        }
        if (const std::error_code error = carry.Append(b, end, false))
            return error;
    }
}

} // namespace

namespace {

std::error_code ReadDescriptor(int fd, int& dimension, CLatticeRecordArray& records,
                               const ReaderWarning& warn, std::size_t chunkBytes,
                               const LineObserver* observe, ReadProgress* progress,
                               int recordsBefore, int recordLimit) {
    const int sizeBefore = records.GetSize();
    std::error_code error;
    try {
        DatasetFiller filler(records, warn, observe, kStartDimension, recordsBefore, recordLimit);
        Fed fed;
        ProgressTeller teller(fd, progress);
        if (const auto source =
                OpenByteSource(fd, chunkBytes, Decompression::OnSecondThread, error,
                               progress != nullptr ? &progress->cancelled : nullptr))
            error = FeedLines(*source, filler, LastLine::Read, fed, teller);
        if (!error) {
            dimension = filler.Dimension();
            records.FreeExtra();
            return {};
        }
    } catch (const std::bad_alloc&) {
        error = std::make_error_code(std::errc::not_enough_memory);
    }
    records.SetSize(sizeBefore);
    records.FreeExtra();
    return error;
}

std::error_code ReadFile(const std::string& path, int& dimension, CLatticeRecordArray& records,
                         const ReaderWarning& warn, const LineObserver* observe,
                         ReadProgress* progress = nullptr, int recordsBefore = 0,
                         int recordLimit = kAllRecords) {
    // A pipe that no writer holds yet would keep a blocking open waiting
    // past any cancel; opened without waiting, its first read waits instead,
    // as the sources wait, for data or the cancel.
    const int fd =
        open(path.c_str(), O_RDONLY | O_CLOEXEC | (progress != nullptr ? O_NONBLOCK : 0));
    if (fd < 0)
        return LastError();
    if (progress != nullptr && fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        const std::error_code error = LastError();
        close(fd);
        return error;
    }
    posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    const std::error_code error = ReadDescriptor(fd, dimension, records, warn, kDefaultReadChunk,
                                                 observe, progress, recordsBefore, recordLimit);
    close(fd);
    return error;
}

} // namespace

std::error_code ReadLatticeDescriptor(int fd, int& dimension, CLatticeRecordArray& records,
                                      const ReaderWarning& warn, std::size_t chunkBytes,
                                      const LineObserver* observe) {
    return ReadDescriptor(fd, dimension, records, warn, chunkBytes, observe, nullptr, 0,
                          kAllRecords);
}

std::error_code ReadLatticeFile(const std::string& path, int& dimension,
                                CLatticeRecordArray& records, const ReaderWarning& warn) {
    return ReadFile(path, dimension, records, warn, nullptr);
}

std::error_code ReadLatticeFile(const std::string& path, int& dimension,
                                CLatticeRecordArray& records, const ReaderWarning& warn,
                                const LineObserver& observe) {
    return ReadFile(path, dimension, records, warn, &observe);
}

std::error_code ProbeLatticeFile(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) == 0 &&
        (S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode) || S_ISCHR(status.st_mode)))
        return {};
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return LastError();
    std::error_code error;
    try {
        constexpr std::size_t kProbeBytes = 4096;
        const auto source = OpenByteSource(fd, kProbeBytes, Decompression::InCallingThread, error);
        BytePiece first;
        if (source)
            error = source->Next(first);
    } catch (const std::bad_alloc&) {
        error = std::make_error_code(std::errc::not_enough_memory);
    }
    close(fd);
    return error;
}

std::error_code ReadLatticeFile(const std::string& path, int& dimension,
                                CLatticeRecordArray& records, const ReaderWarning& warn,
                                ReadProgress& progress, int recordsBefore, int recordLimit) {
    return ReadFile(path, dimension, records, warn, nullptr, &progress, recordsBefore, recordLimit);
}

std::error_code ReadCompleteLines(int fd, FollowedRead& at, CLatticeRecordArray& records,
                                  const ReaderWarning& warn, std::size_t chunkBytes) {
    if (at.ended || at.compressed)
        return {};
    const int sizeBefore = records.GetSize();
    std::error_code error;
    try {
        if (at.offset == 0) {
            unsigned char first[kMagicBytes];
            const ssize_t count = pread(fd, first, sizeof first, 0);
            if (count < 0)
                return LastError();
            if (CompressionOf(first, static_cast<std::size_t>(count)) != Compression::None) {
                at.compressed = true;
                return {};
            }
        }
        if (lseek(fd, static_cast<off_t>(at.offset), SEEK_SET) < 0)
            return LastError();
        DatasetFiller filler(records, warn, nullptr, at.dimension);
        Fed fed;
        ProgressTeller noProgress(fd, nullptr);
        const auto source = OpenPlainByteSource(fd, chunkBytes);
        error = FeedLines(*source, filler, LastLine::Held, fed, noProgress);
        if (!error) {
            at.offset += fed.completeBytes;
            at.dimension = filler.Dimension();
            at.ended = fed.stopped;
            return {};
        }
    } catch (const std::bad_alloc&) {
        error = std::make_error_code(std::errc::not_enough_memory);
    }
    records.SetSize(sizeBefore);
    return error;
}

std::string CannotOpenMessage(const std::string& path, std::error_code error) {
    return "cannot open '" + path + "': " + error.message();
}

} // namespace quib
