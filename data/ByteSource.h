#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <system_error>

namespace quib {

// Bytes that stay readable past the end of every piece a source lends, so
// that the reader can load a 64-byte block at any line in place.
inline constexpr std::size_t kReadablePastPiece = 80;

// Room for `bytes` bytes and kReadablePastPiece after them. Left
// uninitialized but for those last, so that a small file touches no more of
// it than it fills.
std::unique_ptr<unsigned char[]> MakePieceBuffer(std::size_t bytes);

// Bytes of a file lent by its source, valid until the source's next call.
struct BytePiece {
    const unsigned char* bytes = nullptr;
    std::size_t count = 0;
};

// Where the reader takes a file's bytes from: the file itself, or the text
// that its compressed data holds. The source lends its own memory, so that
// the reader parses the bytes where they were read or decompressed.
class ByteSource {
  public:
    virtual ~ByteSource() = default;

    // The next piece of the bytes, its `count` 0 only at the end; it and
    // kReadablePastPiece bytes after it can be read until the next call.
    virtual std::error_code Next(BytePiece& piece) = 0;

    // Once the reader has stopped before the end: whether the data it left
    // unread is whole. A plain file's rest is never read; compressed data is
    // read to its end, where its checksums are.
    virtual std::error_code CheckRest() { return {}; }
};

// Takes the rest of a source's pieces: an error in them, or none.
std::error_code ReadToEnd(ByteSource& source);

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
// its first bytes tell (gzip, xz, zstd), reading `chunkBytes` at a time; the
// descriptor stays open and must outlive the source. Null with `error` set
// when even the first bytes cannot be read. Reads of the descriptor wait as
// ReadSome's do with `cancelled`.
std::unique_ptr<ByteSource> OpenByteSource(int fd, std::size_t chunkBytes, Decompression how,
                                           std::error_code& error,
                                           const std::atomic<bool>* cancelled = nullptr);

// The bytes of an open descriptor from where it stands, as they are, in
// pieces of up to `chunkBytes`: for reading on in the middle of a file,
// where no compression can begin.
std::unique_ptr<ByteSource> OpenPlainByteSource(int fd, std::size_t chunkBytes);

} // namespace quib
