#include "ValueScan.h"

#include "NumberScan.h"

#if defined(__x86_64__) && defined(__GNUC__)

#include <immintrin.h>

#include <algorithm>
#include <array>

namespace quib {

using namespace number_scan;

// GCC 12 builds the don't-care operand of its masked intrinsics from a
// self-initialised variable, which its own uninitialised-use check flags.
#if !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

#define QUIB_AVX512_SCAN                                                                           \
    __attribute__((target("avx512f,avx512bw,avx512vl,avx512vbmi,avx512vbmi2,bmi2")))

namespace {

// Byte k of every table: what lane k of a 64-byte vector starts from.
constexpr std::array<Byte, 64> MakeTable(int (*byteAt)(int)) {
    std::array<Byte, 64> table{};
    for (int k = 0; k < 64; ++k)
        table[k] = static_cast<Byte>(byteAt(k));
    return table;
}
// Positions 0 to 63, whose compressed copies are the positions of set bits.
alignas(64) constexpr auto kPositions = MakeTable([](int k) { return k; });
// Which number of a group of eight each 8-byte lane converts.
alignas(64) constexpr auto kNumberOfLane = MakeTable([](int k) { return k / 8; });
// A lane holds its number's last eight bytes right-aligned: byte k is taken
// from (end of the number) + k - 8.
alignas(64) constexpr auto kOffsetInLane = MakeTable([](int k) { return k % 8 - 8; });

QUIB_AVX512_SCAN inline __m512i LoadTable(const std::array<Byte, 64>& table) {
    return _mm512_load_si512(table.data());
}

QUIB_AVX512_SCAN inline std::uint64_t InRange(__m512i bytes, char low, char high) {
    return _mm512_cmple_epu8_mask(_mm512_sub_epi8(bytes, _mm512_set1_epi8(low)),
                                  _mm512_set1_epi8(static_cast<char>(high - low)));
}

// The numbers of one chunk: where each starts and ends (just past its last
// digit), in order, the chunk's bytes as digit values, and which are negative.
struct ChunkNumbers {
    __m512i starts;
    __m512i ends;
    __m512i digitValues;
    std::uint64_t negatives;
};

// Converts numbers first to first + 7 of the chunk, each from its last eight
// digits, and stores those below `taking` into slots[first...].
QUIB_AVX512_SCAN inline void StoreEight(const ChunkNumbers& found, int first, int taking,
                                        std::int32_t* slots) {
    const __m512i lane =
        _mm512_add_epi8(LoadTable(kNumberOfLane), _mm512_set1_epi8(static_cast<char>(first)));
    const __m512i source =
        _mm512_add_epi8(_mm512_permutexvar_epi8(lane, found.ends), LoadTable(kOffsetInLane));
    const __mmask64 inNumber =
        _mm512_cmpge_epi8_mask(source, _mm512_permutexvar_epi8(lane, found.starts));
    const __m512i laneDigits = _mm512_maskz_permutexvar_epi8(inNumber, source, found.digitValues);
    const __m512i digitPairs = _mm512_maddubs_epi16(laneDigits, _mm512_set1_epi16(0x010A));
    const __m512i quads = _mm512_madd_epi16(digitPairs, _mm512_set1_epi32(0x00010064));
    __m512i values = _mm512_add_epi64(_mm512_mul_epu32(quads, _mm512_set1_epi64(10000)),
                                      _mm512_srli_epi64(quads, 32));
    values = _mm512_mask_sub_epi64(values, static_cast<__mmask8>(found.negatives >> first),
                                   _mm512_setzero_si512(), values);
    const int take = std::clamp(taking - first, 0, 8);
    _mm256_mask_storeu_epi32(slots + first, static_cast<__mmask8>((1u << take) - 1),
                             _mm512_cvtepi64_epi32(values));
}

} // namespace

// The line is cut into chunks of at most 64 bytes that end at a blank, so that
// every number lies within one chunk. Per chunk, the start and end of every
// number are found from byte masks, their positions compressed into vectors,
// and eight numbers at a time gathered into 8-byte lanes and converted with
// multiply-adds. Numbers of more than eight digits, a few in a file, are
// converted one by one afterwards.
QUIB_AVX512_SCAN int ScanValuesAvx512(const Byte* p, const Byte* e, std::int32_t* slots,
                                      int limit) {
    const __m512i positions = LoadTable(kPositions);
    int count = 0;
    for (const Byte* chunk = p; chunk < e;) {
        const __m512i bytes = _mm512_loadu_si512(chunk);
        std::uint64_t blanks =
            _mm512_cmpeq_epi8_mask(bytes, _mm512_set1_epi8(' ')) | InRange(bytes, '\t', '\r');
        const Byte* next = e;
        const auto left = static_cast<std::size_t>(e - chunk);
        if (left < 64) {
            blanks |= ~std::uint64_t{0} << left;
        } else {
            const std::uint64_t cuts = blanks & ~std::uint64_t{1};
            if (cuts == 0) // a token of 63 bytes or more
                return count + ScanValuesPortable(chunk, e, slots + count, limit - count);
            const int cut = 63 - __builtin_clzll(cuts);
            blanks |= ~std::uint64_t{0} << cut;
            next = chunk + cut;
        }
        const std::uint64_t tokenBytes = ~blanks;
        const std::uint64_t tokenStarts = tokenBytes & ~(tokenBytes << 1);
        const std::uint64_t digits = InRange(bytes, '0', '9') & tokenBytes;
        const std::uint64_t minus = _mm512_cmpeq_epi8_mask(bytes, _mm512_set1_epi8('-'));
        const std::uint64_t plus = _mm512_cmpeq_epi8_mask(bytes, _mm512_set1_epi8('+'));
        const std::uint64_t signs = tokenStarts & (minus | plus);
        const std::uint64_t numberStarts = digits & (tokenStarts | (signs << 1));
        if (numberStarts == 0) {
            chunk = next;
            continue;
        }
        // Adding a run's first bit carries through the run: what is left is
        // the bit just past it. No run reaches bit 63, which is blank.
        const std::uint64_t numberEnds = (digits + numberStarts) & ~digits;
        const std::uint64_t negatives = _pext_u64((signs & minus) << 1, numberStarts);
        const __m512i starts = _mm512_maskz_compress_epi8(numberStarts, positions);
        const __m512i ends = _mm512_maskz_compress_epi8(numberEnds, positions);
        const std::uint64_t longNumbers =
            _mm512_cmpgt_epu8_mask(_mm512_sub_epi8(ends, starts), _mm512_set1_epi8(8));
        const ChunkNumbers found{starts, ends, _mm512_sub_epi8(bytes, _mm512_set1_epi8('0')),
                                 negatives};
        const int taking = std::min(__builtin_popcountll(numberStarts), limit - count);
        // Three groups cover all but the densest chunks (at most 32 numbers
        // fit); converting them whatever the count spares the loop an exit
        // that is hard to predict.
        StoreEight(found, 0, taking, slots + count);
        StoreEight(found, 8, taking, slots + count);
        StoreEight(found, 16, taking, slots + count);
        for (int first = 24; first < taking; first += 8)
            StoreEight(found, first, taking, slots + count);
        for (std::uint64_t longs = longNumbers & ((std::uint64_t{1} << taking) - 1); longs != 0;
             longs &= longs - 1) {
            const int k = __builtin_ctzll(longs);
            const Byte* q = chunk + __builtin_ctzll(_pdep_u64(std::uint64_t{1} << k, numberStarts));
            const std::int64_t magnitude = ReadMagnitude(q);
            slots[count + k] = Saturate((negatives >> k) & 1 ? -magnitude : magnitude);
        }
        count += taking;
        if (count == limit)
            return count;
        chunk = next;
    }
    return count;
}

} // namespace quib

#else

namespace quib {

int ScanValuesAvx512(const unsigned char* p, const unsigned char* e, std::int32_t* slots,
                     int limit) {
    return ScanValuesPortable(p, e, slots, limit);
}

} // namespace quib

#endif
