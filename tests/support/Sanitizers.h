#pragma once

// Under AddressSanitizer the tests' work runs some twenty times slower, and
// its shadow memory takes terabytes of address space: the tests that loop
// over many generated inputs run a share of them, and those that limit
// memory cannot run.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kUnderAddressSanitizer = true;
#else
inline constexpr bool kUnderAddressSanitizer = false;
#endif

// One in this many of a loop's generated inputs is run in this tree.
inline constexpr int kSanitizerShare = kUnderAddressSanitizer ? 4 : 1;

constexpr int RoundsForThisTree(int rounds) {
    return rounds / kSanitizerShare;
}
