#pragma once

#include "Compression.h"

#include <cstddef>
#include <string>

// `text` compressed as the libraries write it, cut into `pieces` parts of
// about equal length that follow one another as gzip members, xz streams or
// zstd frames (an empty text is one empty piece).
std::string CompressText(const std::string& text, quib::Compression format, int pieces = 1);

// The file name ending of each format, for paths a person would write.
const char* CompressedSuffix(quib::Compression format);

inline constexpr quib::Compression kCompressions[] = {
    quib::Compression::Gzip, quib::Compression::Xz, quib::Compression::Zstd};

enum class Decompressed { Whole, Invalid, TooLarge };

// The text that `data` holds, decompressed at once with the libraries'
// plainest calls, following the rules the tools follow: streams one after
// another, and after gzip members nothing but zero bytes. For comparison
// with the reader, which decompresses piece by piece. Too large: the text
// runs past `limit` bytes, or the data asks for more than 64 MiB of memory.
Decompressed ReferenceDecompress(const std::string& data, quib::Compression format,
                                 std::string& text, std::size_t limit);
