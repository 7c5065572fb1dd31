#include "Compression.h"

#include <cstring>

namespace quib {

Compression CompressionOf(const unsigned char* first, std::size_t count) {
    const auto startsWith = [&](const char* magic, std::size_t length) {
        return count >= length && std::memcmp(first, magic, length) == 0;
    };
    if (startsWith("\x1F\x8B", 2))
        return Compression::Gzip;
    if (startsWith("\xFD"
                   "7zXZ\0",
                   6))
        return Compression::Xz;
    if (startsWith("\x28\xB5\x2F\xFD", 4))
        return Compression::Zstd;
    // A zstd stream may open with a skippable frame, magic 0x184D2A50 to 5F.
    if (count >= 4 && (first[0] & 0xF0) == 0x50 && std::memcmp(first + 1, "\x2A\x4D\x18", 3) == 0)
        return Compression::Zstd;
    return Compression::None;
}

std::unique_ptr<StreamDecoder> MakeDecoder(Compression compression) {
    switch (compression) {
    case Compression::Gzip:
        return MakeGzipDecoder();
    case Compression::Xz:
        return MakeXzDecoder();
    case Compression::Zstd:
        return MakeZstdDecoder();
    case Compression::None:
        break;
    }
    return nullptr;
}

} // namespace quib
