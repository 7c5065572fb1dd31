#pragma once

#include "LatticeRecordArray.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <system_error>

namespace quib {

// The one message the reader can give, shown through a hook so that the data
// logic needs no user interface: a message box in the window, a line on
// standard error on the command line.
inline constexpr const char* kWrongDimensionMessage =
    "This file has the wrong dimension. Should be 26 or 32";

using ReaderWarning = std::function<void(const char* message)>;

// What the reader made of one line, for a check of how a file reads. Lines
// count from 1; a CR LF pair ends one line.
struct LineReading {
    enum class Kind {
        Dimension, // a dimension line
        Section,   // the section marker
        End,       // the end line: reading stops
        Empty,     // an empty line: reading stops
        Record,    // any other line, whether it gave a record or not
        Unread,    // the first non-blank line after reading stopped
    };
    Kind kind = Kind::Record;
    long long line = 0;
    // The line without its line end, and whether it had one (the last line
    // of a file may not).
    const char* begin = nullptr;
    const char* end = nullptr;
    bool ended = false;
    std::int32_t dimension = 0; // in force after the line
    // Record lines that gave a record: where the value tokens start (after
    // the record number's ")"), how many values were stored, the number.
    bool gaveRecord = false;
    const char* values = nullptr;
    int valueCount = 0;
    std::int32_t recordNumber = 0;
};
using LineObserver = std::function<void(const LineReading&)>;

// Every read below answers with an error code: none when the file was read;
// otherwise why it could not be opened or read (the system's errors as
// std::errc, the reader's own as quib::ReadError, such as compressed data
// that is corrupt), and nothing was changed.

// How a file that could not be read is told, wherever it is told:
// "cannot open 'PATH': REASON", REASON the error's own description.
std::string CannotOpenMessage(const std::string& path, std::error_code error);

// Reads a data file into one dataset, appending its records. A file
// compressed with gzip, xz or zstd (told by its first bytes) reads as the
// text it holds. On failure (cannot open, cannot read, out of memory,
// compressed data corrupt or cut short) the dimension and the records are
// exactly as they were before the call.
std::error_code ReadLatticeFile(const std::string& path, int& dimension,
                                CLatticeRecordArray& records, const ReaderWarning& warn);

// The same, telling `observe` of every line read and, once reading has
// stopped at an end or empty line, of the first non-blank line after it.
std::error_code ReadLatticeFile(const std::string& path, int& dimension,
                                CLatticeRecordArray& records, const ReaderWarning& warn,
                                const LineObserver& observe);

// Whether the file can be opened and read, from its first bytes (for a
// compressed file, the first it decompresses to): a bad file is told before
// anything else is started. A pipe or device is left to the read: the bytes
// it gives it gives once.
std::error_code ProbeLatticeFile(const std::string& path);

// The same from an open descriptor, reading `chunkBytes` at a time (of
// compressed data too, up to 256 KiB, decompressed ahead in pieces of at
// least 4 KiB); the descriptor stays open. Small chunks exercise lines that
// straddle reads.
inline constexpr std::size_t kDefaultReadChunk = std::size_t{1} << 20;

// The longest line read whole (a record line is some hundred bytes): a file
// whose line runs on past it, such as gigabytes without a line end, fails
// as too large instead of taking the machine's memory.
inline constexpr std::size_t kLongestLine = std::size_t{256} << 20;
std::error_code ReadLatticeDescriptor(int fd, int& dimension, CLatticeRecordArray& records,
                                      const ReaderWarning& warn,
                                      std::size_t chunkBytes = kDefaultReadChunk,
                                      const LineObserver* observe = nullptr);

struct ReadProgress;

// No limit to the records a read takes.
inline constexpr int kAllRecords = INT_MAX;

// The same for a read apart from the dataset it is to join, as on another
// thread while the dataset is shown: records without a number of their own
// are numbered as if `recordsBefore` came before them, and the read tells
// `progress` how far it is and stops once it is cancelled (see ReadProgress).
// Reading also stops at the line that gives the `recordLimit`-th record, as
// at an end line: no later line is read (a plain file's rest is never read;
// compressed data is still read to its end, where its checksums tell whether
// it is whole).
std::error_code ReadLatticeFile(const std::string& path, int& dimension,
                                CLatticeRecordArray& records, const ReaderWarning& warn,
                                ReadProgress& progress, int recordsBefore = 0,
                                int recordLimit = kAllRecords);

// The dimension in force before a file's first dimension line.
inline constexpr std::int32_t kStartDimension = 26;

// Where the reading of a file that is still being written stands: what is
// needed to read the lines appended to it as the rest of the same file.
struct FollowedRead {
    std::uint64_t offset = 0; // the bytes of the complete lines read
    std::int32_t dimension = kStartDimension;
    bool ended = false;      // an end line or empty line was read: nothing more is
    bool compressed = false; // compressed data, which is only ever read whole
};

// Reads the complete lines of the file open at `fd` from `at.offset` on,
// appending their records, and moves `at` past them; a last line without its
// line end is left for a later call, when it has one. At offset 0 a
// compressed file is told by `at.compressed`, and nothing is read. On
// failure the records and `at` are as they were.
std::error_code ReadCompleteLines(int fd, FollowedRead& at, CLatticeRecordArray& records,
                                  const ReaderWarning& warn,
                                  std::size_t chunkBytes = kDefaultReadChunk);

} // namespace quib
