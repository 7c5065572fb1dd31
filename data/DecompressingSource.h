#pragma once

#include "ByteSource.h"
#include "Compression.h"

#include <memory>

namespace quib {

// The text that a descriptor's compressed data holds, decompressed as it is
// read, `inputBytes` of compressed data at a time.
class DecompressingSource final : public ByteSource {
  public:
    // `first` holds the data's first bytes, already read from `fd`; reads of
    // `fd` wait as ReadSome's do with `cancelled`.
    DecompressingSource(int fd, std::unique_ptr<StreamDecoder> decoder, const unsigned char* first,
                        std::size_t firstCount, std::size_t inputBytes,
                        const std::atomic<bool>* cancelled = nullptr);

    std::error_code Read(unsigned char* into, std::size_t room, std::size_t& got) override;
    std::error_code CheckRest() override;

  private:
    std::error_code Refill();

    int m_fd;
    std::unique_ptr<StreamDecoder> m_decoder;
    std::size_t m_inputBytes;
    std::unique_ptr<unsigned char[]> m_input; // uninitialized: only what is read is used
    const unsigned char* m_in;
    const unsigned char* m_inEnd;
    bool m_inputEnded = false;
    const std::atomic<bool>* m_cancelled;
};

} // namespace quib
