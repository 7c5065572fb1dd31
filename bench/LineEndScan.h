#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The reader's own chunk size, so that both make the same read() calls.
inline constexpr std::size_t kLineEndScanBuffer = std::size_t{1} << 20;

// The limit for any reader: read() the file into a reused buffer and count its
// line ends with memchr. Returns the count, or -1 when the file cannot be read.
long long CountLineEnds(const std::string& path, std::vector<char>& buffer);
