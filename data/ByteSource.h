#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <system_error>

namespace quib {

// Where the reader takes a file's bytes from: the file itself, or the text
// that its compressed data holds.
class ByteSource {
  public:
    virtual ~ByteSource() = default;

    // Up to `room` (above 0) bytes into `into`; `got` is 0 only at the end.
    virtual std::error_code Read(unsigned char* into, std::size_t room, std::size_t& got) = 0;

    // Once the reader has stopped before the end: whether the data it left
    // unread is whole. A plain file's rest is never read; compressed data is
    // read to its end, where its checksums are.
    virtual std::error_code CheckRest() { return {}; }
};

enum class Decompression {
    OnSecondThread, // decompressed ahead while the reader works on what came before
    InCallingThread,
};

// Up to `room` bytes of the descriptor, as read(2) gives them. With
// `cancelled`, a descriptor that has nothing yet (a pipe whose writer is
// slow) is waited for in short steps, and once `cancelled` is set the read
// fails as std::errc::operation_canceled.
std::error_code ReadSome(int fd, unsigned char* into, std::size_t room, std::size_t& got,
                         const std::atomic<bool>* cancelled = nullptr);

// The source of the bytes of an open descriptor, plain or decompressed as
// its first bytes tell (gzip, xz, zstd), taking `chunkBytes` at a time; the
// descriptor stays open and must outlive the source. Null with `error` set
// when even the first bytes cannot be read. Reads of the descriptor wait as
// ReadSome's do with `cancelled`.
std::unique_ptr<ByteSource> OpenByteSource(int fd, std::size_t chunkBytes, Decompression how,
                                           std::error_code& error,
                                           const std::atomic<bool>* cancelled = nullptr);

// The bytes of an open descriptor from where it stands, as they are: for
// reading on in the middle of a file, where no compression can begin.
std::unique_ptr<ByteSource> OpenPlainByteSource(int fd);

} // namespace quib
