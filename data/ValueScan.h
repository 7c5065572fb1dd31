#pragma once

#include <cstdint>

namespace quib {

// Reads the values of the whitespace-separated tokens in [p, e) into `slots`,
// at most `limit` of them, and returns how many it read. A token gives a value
// when it starts with an optional sign directly followed by a decimal digit:
// the value of that digit run, saturated to 32 bits; other tokens are passed
// over. p starts a token whatever precedes it. The byte at e must be a blank
// (the reader puts one after a last line without a line end), and the 64
// bytes after e readable.
using ValueScanFunction = int (*)(const unsigned char* p, const unsigned char* e,
                                  std::int32_t* slots, int limit);

// The ways of scanning, all giving the same values: a portable one, and one
// with 512-bit vector instructions that converts eight numbers at once.
enum class ValueScanner { Portable, Avx512 };

inline constexpr ValueScanner kValueScanners[] = {ValueScanner::Portable, ValueScanner::Avx512};

const char* ValueScannerName(ValueScanner scanner);
bool IsValueScannerAvailable(ValueScanner scanner);
ValueScanner FastestValueScanner();
ValueScanFunction ValueScanOf(ValueScanner scanner);

// The scanner the reader uses: the fastest available, unless a test or a
// benchmark chose another; choosing one that is not available does nothing.
ValueScanFunction ActiveValueScan();
void UseValueScanner(ValueScanner scanner);

int ScanValuesPortable(const unsigned char* p, const unsigned char* e, std::int32_t* slots,
                       int limit);
// Only where IsValueScannerAvailable(ValueScanner::Avx512).
int ScanValuesAvx512(const unsigned char* p, const unsigned char* e, std::int32_t* slots,
                     int limit);

} // namespace quib
