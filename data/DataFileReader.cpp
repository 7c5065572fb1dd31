#include "DataFileReader.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

using Byte = unsigned char;

constexpr int kDefaultDimension = 26;
// Bytes kept readable beyond the data, so that a 64-byte block can be loaded
// at any line and a sentinel can close a last line that has no line end.
constexpr std::size_t kPadding = 80;

constexpr bool IsSpace(Byte c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
constexpr bool IsDigit(Byte c) {
    return static_cast<unsigned>(c - '0') < 10u;
}

constexpr std::int32_t Saturate(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

// Flags the high bit of every byte of `word` that is not a decimal digit;
// exact for the bytes up to and including the first such byte, which is all
// that is used. Digit values are left in `digits`.
inline std::uint64_t NonDigitFlags(std::uint64_t word, std::uint64_t& digits) {
    digits = word - 0x3030303030303030ull;
    return ((digits + 0x7676767676767676ull) | digits) & 0x8080808080808080ull;
}

// The value of the first `count` (1 to 7) digit values of `digits`.
inline std::uint32_t ConvertDigits(std::uint64_t digits, int count) {
    std::uint64_t v = digits << (8 * (8 - count));
    v = (v * 2561) >> 8;
    v = ((v & 0x00FF00FF00FF00FFull) * 6553601) >> 16;
    return static_cast<std::uint32_t>(((v & 0x0000FFFF0000FFFFull) * 42949672960001ull) >> 32);
}

inline std::uint64_t Load8(const Byte* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// Magnitude of the digit run at p (at least one digit); p moves past it.
// Numbers of up to seven digits, nearly all of them, are converted eight
// bytes at a time without a branch per digit.
inline std::int64_t ReadMagnitude(const Byte*& p) {
    std::uint64_t digits;
    const std::uint64_t flags = NonDigitFlags(Load8(p), digits);
    if (flags != 0) {
        const int count = __builtin_ctzll(flags) / 8;
        p += count;
        return ConvertDigits(digits, count);
    }
    std::int64_t v = 0;
    for (; IsDigit(*p); ++p) {
        if (v <= INT32_MAX)
            v = v * 10 + (*p - '0');
    }
    return v;
}

// An optional sign directly followed by at least one decimal digit, as a
// signed 32-bit value that saturates. On success p moves past the digits.
inline bool ReadInteger(const Byte*& p, std::int32_t& value) {
    const Byte* q = p;
    const bool negative = *q == '-';
    if (negative || *q == '+')
        ++q;
    if (!IsDigit(*q))
        return false;
    const std::int64_t magnitude = ReadMagnitude(q);
    value = Saturate(negative ? -magnitude : magnitude);
    p = q;
    return true;
}

// Bit k is set when byte k of the 64 at p is whitespace.
inline std::uint64_t WhitespaceMask(const Byte* p) {
#if defined(__SSE2__)
    const __m128i blank = _mm_set1_epi8(' ');
    const __m128i tab = _mm_set1_epi8('\t');
    const __m128i controlSpan = _mm_set1_epi8('\r' - '\t');
    std::uint64_t mask = 0;
    for (int k = 0; k < 4; ++k) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * k));
        const __m128i fromTab = _mm_sub_epi8(bytes, tab);
        const __m128i control = _mm_cmpeq_epi8(_mm_min_epu8(fromTab, controlSpan), fromTab);
        const __m128i space = _mm_or_si128(control, _mm_cmpeq_epi8(bytes, blank));
        mask |= static_cast<std::uint64_t>(static_cast<std::uint16_t>(_mm_movemask_epi8(space)))
                << (16 * k);
    }
    return mask;
#else
    std::uint64_t mask = 0;
    for (int k = 0; k < 64; ++k)
        mask |= static_cast<std::uint64_t>(IsSpace(p[k])) << k;
    return mask;
#endif
}

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
    DatasetFiller(CLatticeRecordArray& records, const ReaderWarning& warn)
        : m_records(records), m_warn(warn) {
        SetDimension(kDefaultDimension);
    }

    int Dimension() const { return m_dimension; }

    // Handles the line [b, e), e lying just past its line end when it has
    // one; *e is readable. Returns false when reading stops after this line.
    bool HandleLine(const Byte* b, const Byte* e) {
        if (ContainsDim(b, e)) {
            HandleDimensionLine(b, e);
            return true;
        }
        if (e[-1] == '\n') {
            const Byte* end = e - 1;
            if (end > b && end[-1] == '\r')
                --end;
            const std::size_t length = static_cast<std::size_t>(end - b);
            if (length == 0)
                return false;
            if (length >= 12 && std::memcmp(end - 12, "CONV_SECTION", 12) == 0)
                return true;
            if (length == 3 && std::memcmp(b, "END", 3) == 0)
                return false;
        }
        HandleRecordLine(b, e);
        return true;
    }

  private:
    void SetDimension(std::int32_t dimension) {
        // Slots outside the new span must read 0 from now on.
        m_record = CLatticeRecord{};
        m_dimension = dimension;
        m_valueLimit = std::clamp(dimension, 0, NODE_COUNT);
        m_slotOffset = NODE_COUNT - m_valueLimit;
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
        return Saturate(static_cast<std::int64_t>(m_records.GetSize()) + 1);
    }

    void HandleRecordLine(const Byte* b, const Byte* e) {
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
        const int count = ReadValues(p, e, slots);
        if (count == 0)
            return;
        // Slots this line left out still hold the previous line's values.
        std::fill(slots + count, slots + m_valueLimit, 0);
        m_record.m_nRecordNumber = number;
        m_records.Add(m_record);
    }

    // Reads the values of the tokens in [p, e) into slots, at most the value
    // limit of them; returns how many. Token starts come from whitespace
    // masks of 64 bytes at a time, so that converting one number never waits
    // for the end of the one before it.
    int ReadValues(const Byte* p, const Byte* e, std::int32_t* slots) const {
        const int limit = m_valueLimit;
        int count = 0;
        std::uint64_t blankBefore = 1; // the cursor starts a token, whatever precedes it
        for (const Byte* block = p; block < e; block += 64) {
            std::uint64_t blanks = WhitespaceMask(block);
            const std::size_t left = static_cast<std::size_t>(e - block);
            if (left < 64)
                blanks |= ~std::uint64_t{0} << left;
            std::uint64_t starts = ~blanks & ((blanks << 1) | blankBefore);
            blankBefore = blanks >> 63;
            while (starts != 0) {
                const Byte* q = block + __builtin_ctzll(starts);
                starts &= starts - 1;
                const bool negative = *q == '-';
                const bool sign = negative || *q == '+';
                std::uint64_t digits;
                const std::uint64_t flags = NonDigitFlags(Load8(q + sign), digits);
                if (flags & 0x80)
                    continue;
                std::int32_t value;
                if (flags != 0) {
                    // The first non-digit's flag is bit 8 * length + 7.
                    const int flagBit = __builtin_ctzll(flags);
                    std::uint64_t v = digits << (71 - flagBit);
                    v = v * 10 + (v >> 8);
                    const auto magnitude = static_cast<std::int32_t>(
                        ((v & 0x000000FF000000FFull) * (100 + (1000000ull << 32)) +
                         ((v >> 16) & 0x000000FF000000FFull) * (1 + (10000ull << 32))) >>
                        32);
                    value = negative ? -magnitude : magnitude;
                } else {
                    q += sign;
                    const std::int64_t magnitude = ReadMagnitude(q);
                    value = Saturate(negative ? -magnitude : magnitude);
                }
                slots[count] = value;
                if (++count == limit)
                    return count;
            }
        }
        return count;
    }

    CLatticeRecordArray& m_records;
    const ReaderWarning& m_warn;
    CLatticeRecord m_record;
    std::int32_t m_dimension = 0;
    int m_valueLimit = 0;
    int m_slotOffset = 0;
};

// Feeds the lines of a descriptor to the filler; returns 0 or an errno.
int FeedLines(int fd, DatasetFiller& filler, std::size_t chunkBytes) {
    chunkBytes = std::max<std::size_t>(chunkBytes, 1);
    std::vector<Byte> buffer(chunkBytes + kPadding);
    std::size_t capacity = chunkBytes;
    std::size_t length = 0;
    for (;;) {
        const ssize_t got = read(fd, buffer.data() + length, capacity - length);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        length += static_cast<std::size_t>(got);
        const Byte* b = buffer.data();
        Byte* end = buffer.data() + length;
        while (const void* lf = std::memchr(b, '\n', static_cast<std::size_t>(end - b))) {
            const Byte* e = static_cast<const Byte*>(lf) + 1;
            if (!filler.HandleLine(b, e))
                return 0;
            b = e;
        }
        if (got == 0) {
            if (b < end) {
                *end = ' ';
                filler.HandleLine(b, end);
            }
            return 0;
        }
        length = static_cast<std::size_t>(end - b);
        std::memmove(buffer.data(), b, length);
        if (length == capacity) {
            capacity *= 2;
            buffer.resize(capacity + kPadding);
        }
    }
}

} // namespace

ReadOutcome ReadLatticeDescriptor(int fd, int& dimension, CLatticeRecordArray& records,
                                  const ReaderWarning& warn, std::size_t chunkBytes) {
    const int sizeBefore = records.GetSize();
    int error;
    try {
        DatasetFiller filler(records, warn);
        error = FeedLines(fd, filler, chunkBytes);
        if (error == 0) {
            dimension = filler.Dimension();
            records.FreeExtra();
            return {true, 0};
        }
    } catch (const std::bad_alloc&) {
        error = ENOMEM;
    }
    records.SetSize(sizeBefore);
    records.FreeExtra();
    return {false, error};
}

ReadOutcome ReadLatticeFile(const std::string& path, int& dimension, CLatticeRecordArray& records,
                            const ReaderWarning& warn) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {false, errno};
    posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    const ReadOutcome outcome = ReadLatticeDescriptor(fd, dimension, records, warn);
    close(fd);
    return outcome;
}
