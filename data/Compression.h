#pragma once

#include <cstddef>
#include <memory>
#include <system_error>

namespace quib {

enum class Compression { None, Gzip, Xz, Zstd };

// How many first bytes tell the compression apart.
inline constexpr std::size_t kMagicBytes = 6;

// The compression of data that begins with `count` bytes at `first` (fewer
// than kMagicBytes when the data is that short).
Compression CompressionOf(const unsigned char* first, std::size_t count);

// One format's decompression of a stream that arrives in pieces. Streams
// that follow one another (gzip members, zstd frames, xz streams) are read
// as one, as their tools read them.
class StreamDecoder {
  public:
    virtual ~StreamDecoder() = default;

    // Decompresses what it can of [in, inEnd) into [out, outEnd), moving both
    // past what was taken and given. `inputEnds`: no input follows this.
    virtual std::error_code Decode(const unsigned char*& in, const unsigned char* inEnd,
                                   unsigned char*& out, unsigned char* outEnd, bool inputEnds) = 0;

    // Whether the data decoded so far ends where a stream ends: false at the
    // end of the input means the data is cut short.
    virtual bool Complete() const = 0;
};

// Throw std::bad_alloc when the library cannot set up its state.
std::unique_ptr<StreamDecoder> MakeGzipDecoder();
std::unique_ptr<StreamDecoder> MakeXzDecoder();
std::unique_ptr<StreamDecoder> MakeZstdDecoder();
std::unique_ptr<StreamDecoder> MakeDecoder(Compression compression);

} // namespace quib
