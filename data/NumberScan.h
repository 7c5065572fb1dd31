#pragma once

// Byte classes and number conversion shared by the reader and its value
// scanners. Every function may read a few bytes past what it consumes; the
// reader keeps padding after its data for that.

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace number_scan {

using Byte = unsigned char;

constexpr bool IsSpace(Byte c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
constexpr bool IsDigit(Byte c) {
    return static_cast<unsigned>(c - '0') < 10u;
}

constexpr std::int32_t Saturate(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

inline std::uint64_t Load8(const Byte* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// Flags the high bit of every byte of `word` that is not a decimal digit;
// exact for the bytes up to and including the first such byte, which is all
// that is used. Digit values are left in `digits`.
inline std::uint64_t NonDigitFlags(std::uint64_t word, std::uint64_t& digits) {
    digits = word - 0x3030303030303030ull;
    return ((digits + 0x7676767676767676ull) | digits) & 0x8080808080808080ull;
}

// The value of the digit values in `digits` that precede the first flag of
// `flags` (NonDigitFlags, non-zero: at most seven digits).
inline std::uint32_t ConvertShortDigits(std::uint64_t digits, std::uint64_t flags) {
    // The first non-digit's flag is bit 8 * length + 7.
    std::uint64_t v = digits << (71 - __builtin_ctzll(flags));
    v = v * 10 + (v >> 8);
    return static_cast<std::uint32_t>(
        ((v & 0x000000FF000000FFull) * (100 + (1000000ull << 32)) +
         ((v >> 16) & 0x000000FF000000FFull) * (1 + (10000ull << 32))) >>
        32);
}

// Magnitude of the digit run at p (at least one digit), saturated beyond
// INT32_MAX; p moves past the run.
inline std::int64_t ReadMagnitude(const Byte*& p) {
    std::uint64_t digits;
    const std::uint64_t flags = NonDigitFlags(Load8(p), digits);
    if (flags != 0) {
        p += __builtin_ctzll(flags) / 8;
        return ConvertShortDigits(digits, flags);
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

} // namespace number_scan
