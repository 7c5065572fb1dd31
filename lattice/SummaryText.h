#pragma once

#include "LatticeTables.h"
#include "NodeSets.h"
#include "ValueTransform.h"

#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// Appends the summary line of one drawn dataset: "Record nr N <", the 32
// values each after a blank, then ">". Without a record number (the position
// lies beyond the primary records) the number reads "-".
void AppendSummaryLine(std::string& out, const int* recordNumber,
                       const int values[quib::kNodeCount]);

namespace quib {

// The pieces of the summary written straight into a buffer, for whole-file
// output: each writes at `out`, which must have the room its constant names,
// and returns the end of what it wrote. Nothing allocates.

// Any 64-bit integer: a sign and 19 digits (and room for the table's
// fourth byte).
inline constexpr std::size_t kIntegerBytes = 20;
// A summary line with the longest title and number and 32 of the widest values.
inline constexpr std::size_t kSummaryLineBytes = 64 + kNodeCount * (1 + kIntegerBytes);
// Every label, quoted, with a separator of up to two bytes; a label is
// copied as 8 bytes at once, so the last one may write beyond its end.
inline constexpr std::size_t kLabelListBytes = kNodeCount * 9 + 8;

namespace detail {

// 0 to 999 as text: up to three digits, then their count.
inline constexpr auto kThreeDigits = [] {
    std::array<std::array<char, 4>, 1000> table{};
    for (int value = 0; value < 1000; ++value) {
        const int length = value >= 100 ? 3 : value >= 10 ? 2 : 1;
        for (int k = length - 1, rest = value; k >= 0; --k, rest /= 10)
            table[value][k] = static_cast<char>('0' + rest % 10);
        table[value][3] = static_cast<char>(length);
    }
    return table;
}();

} // namespace detail

// Most values are counts below 1000, copied from a table (four bytes, the
// last one overwritten by what follows); the others converted.
inline char* WriteInteger(char* out, std::int64_t value) {
    const std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    if (magnitude >= 1000) {
        // Quicker in 32 bits, where almost every value fits.
        if (value == static_cast<std::int32_t>(value))
            return std::to_chars(out, out + kIntegerBytes, static_cast<std::int32_t>(value)).ptr;
        return std::to_chars(out, out + kIntegerBytes, value).ptr;
    }
    *out = '-';
    out += value < 0;
    const std::array<char, 4>& digits = detail::kThreeDigits[magnitude];
    std::memcpy(out, digits.data(), digits.size());
    return out + digits[3];
}

inline char* WriteText(char* out, std::string_view text) {
    return text.copy(out, text.size()) + out;
}

// "Record nr N <" (with a transform "Record nr N, Möbius inversion <" and the
// like), the values each after a blank, then ">".
char* WriteSummaryLine(char* out, const int* recordNumber, ValueTransform transform,
                       const std::int64_t values[kNodeCount]);

// The labels as drawn of `nodes` in node order, `separator` between them,
// each in double quotes when `quoted`.
char* WriteLabels(char* out, NodeMask nodes, std::string_view separator, bool quoted);

// `heading` ("Minimal nodes:") followed by " label" for each of `nodes`.
char* WriteNodesLine(char* out, std::string_view heading, NodeMask nodes);

} // namespace quib
