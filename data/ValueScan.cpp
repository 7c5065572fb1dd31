#include "ValueScan.h"

#include "NumberScan.h"

#include <atomic>

namespace quib {

using namespace number_scan;

// Token starts come from whitespace masks of 64 bytes at a time, so that
// converting one number never waits for the end of the one before it.
int ScanValuesPortable(const Byte* p, const Byte* e, std::int32_t* slots, int limit) {
    int count = 0;
    if (limit <= 0)
        return count;
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
                const auto magnitude = static_cast<std::int32_t>(ConvertShortDigits(digits, flags));
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

namespace {

bool CpuHasAvx512Scan() {
#if defined(__x86_64__) && defined(__GNUC__)
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
           __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512vbmi") &&
           __builtin_cpu_supports("avx512vbmi2") && __builtin_cpu_supports("bmi2");
#else
    return false;
#endif
}

std::atomic<ValueScanFunction>& ActiveFunction() {
    static std::atomic<ValueScanFunction> active{ValueScanOf(FastestValueScanner())};
    return active;
}

} // namespace

const char* ValueScannerName(ValueScanner scanner) {
    return scanner == ValueScanner::Avx512 ? "Avx512" : "Portable";
}

bool IsValueScannerAvailable(ValueScanner scanner) {
    static const bool hasAvx512 = CpuHasAvx512Scan();
    return scanner == ValueScanner::Portable || hasAvx512;
}

ValueScanner FastestValueScanner() {
    return IsValueScannerAvailable(ValueScanner::Avx512) ? ValueScanner::Avx512
                                                         : ValueScanner::Portable;
}

ValueScanFunction ValueScanOf(ValueScanner scanner) {
    return scanner == ValueScanner::Avx512 ? ScanValuesAvx512 : ScanValuesPortable;
}

ValueScanFunction ActiveValueScan() {
    return ActiveFunction().load(std::memory_order_relaxed);
}

void UseValueScanner(ValueScanner scanner) {
    if (IsValueScannerAvailable(scanner))
        ActiveFunction().store(ValueScanOf(scanner), std::memory_order_relaxed);
}

} // namespace quib
