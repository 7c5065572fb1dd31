#pragma once

#include "ByteSource.h"
#include "Compression.h"

#include <memory>

namespace quib {

// The text that a descriptor's compressed data holds, decompressed as it is
// read, `chunkBytes` of compressed data at a time, into pieces of up to
// `chunkBytes` or into the caller's memory.
class DecompressingSource final : public ByteSource {
  public:
    // `first` holds the data's first bytes, already read from `fd`; reads of
    // `fd` wait as ReadSome's do with `cancelled`.
    DecompressingSource(int fd, std::unique_ptr<StreamDecoder> decoder, const unsigned char* first,
                        std::size_t firstCount, std::size_t chunkBytes,
                        const std::atomic<bool>* cancelled = nullptr);

    std::error_code Next(BytePiece& piece) override;
    std::error_code CheckRest() override { return ReadToEnd(*this); }

    // Up to `room` (above 0) bytes of the text into `into`; `got` is 0 only
    // at the end.
    std::error_code Read(unsigned char* into, std::size_t room, std::size_t& got);

  private:
    std::error_code Refill();

    int m_fd;
    std::unique_ptr<StreamDecoder> m_decoder;
    std::size_t m_chunkBytes;
    std::unique_ptr<unsigned char[]> m_input; // uninitialized: only what is read is used
    const unsigned char* m_in;
    const unsigned char* m_inEnd;
    bool m_inputEnded = false;
    const std::atomic<bool>* m_cancelled;
    std::unique_ptr<unsigned char[]> m_output; // for the pieces, made at the first
};

} // namespace quib
