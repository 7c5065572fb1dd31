#include "ByteSource.h"

#include "BackgroundSource.h"
#include "Compression.h"
#include "DecompressingSource.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace quib {
namespace {

// The most compressed data read or decompressed at a time: a chunk that
// stays in the processor's cache while the reader parses it.
constexpr std::size_t kLargestCompressedChunk = std::size_t{256} << 10;
// The least decompressed ahead at a time: each chunk is handed from one
// thread to the other.
constexpr std::size_t kLeastAheadChunk = std::size_t{4} << 10;

// How long a wait for a slow descriptor lasts before the cancel is looked at.
constexpr int kWaitStepMilliseconds = 100;

std::error_code WaitReadable(int fd, const std::atomic<bool>& cancelled) {
    pollfd ready{fd, POLLIN, 0};
    for (;;) {
        if (cancelled.load(std::memory_order_relaxed))
            return std::make_error_code(std::errc::operation_canceled);
        const int count = poll(&ready, 1, kWaitStepMilliseconds);
        if (count > 0)
            return {};
        if (count < 0 && errno != EINTR)
            return std::error_code(errno, std::generic_category());
    }
}

} // namespace

std::unique_ptr<unsigned char[]> MakePieceBuffer(std::size_t bytes) {
    auto buffer = std::make_unique_for_overwrite<unsigned char[]>(bytes + kReadablePastPiece);
    std::memset(buffer.get() + bytes, 0, kReadablePastPiece);
    return buffer;
}

std::error_code ReadToEnd(ByteSource& source) {
    for (;;) {
        BytePiece piece;
        if (const std::error_code error = source.Next(piece))
            return error;
        if (piece.count == 0)
            return {};
    }
}

std::error_code ReadSome(int fd, unsigned char* into, std::size_t room, std::size_t& got,
                         const std::atomic<bool>* cancelled) {
    if (cancelled != nullptr)
        if (const std::error_code error = WaitReadable(fd, *cancelled))
            return error;
    for (;;) {
        const ssize_t count = read(fd, into, room);
        if (count >= 0) {
            got = static_cast<std::size_t>(count);
            return {};
        }
        if (errno != EINTR)
            return std::error_code(errno, std::generic_category());
    }
}

namespace {

// A file read as it is, its first bytes (already read) given before the rest.
class PlainSource final : public ByteSource {
  public:
    PlainSource(int fd, std::size_t chunkBytes, const unsigned char* first, std::size_t count,
                const std::atomic<bool>* cancelled)
        : m_fd(fd), m_chunkBytes(std::max({chunkBytes, count, std::size_t{1}})),
          m_buffer(MakePieceBuffer(m_chunkBytes)), m_firstCount(count), m_cancelled(cancelled) {
        if (count > 0)
            std::memcpy(m_buffer.get(), first, count);
    }

    std::error_code Next(BytePiece& piece) override {
        piece = {m_buffer.get(), m_firstCount};
        if (m_firstCount > 0) {
            m_firstCount = 0;
            return {};
        }
        return ReadSome(m_fd, m_buffer.get(), m_chunkBytes, piece.count, m_cancelled);
    }

  private:
    int m_fd;
    std::size_t m_chunkBytes;
    std::unique_ptr<unsigned char[]> m_buffer;
    std::size_t m_firstCount; // first bytes in the buffer, not yet lent
    const std::atomic<bool>* m_cancelled;
};

} // namespace

std::unique_ptr<ByteSource> OpenByteSource(int fd, std::size_t chunkBytes, Decompression how,
                                           std::error_code& error,
                                           const std::atomic<bool>* cancelled) {
    unsigned char first[kMagicBytes];
    std::size_t count = 0;
    while (count < kMagicBytes) {
        std::size_t got = 0;
        if ((error = ReadSome(fd, first + count, kMagicBytes - count, got, cancelled)))
            return nullptr;
        if (got == 0)
            break;
        count += got;
    }
    const Compression compression = CompressionOf(first, count);
    if (compression == Compression::None)
        return std::make_unique<PlainSource>(fd, chunkBytes, first, count, cancelled);
    const std::size_t chunk = std::clamp<std::size_t>(chunkBytes, 1, kLargestCompressedChunk);
    auto source = std::make_unique<DecompressingSource>(fd, MakeDecoder(compression), first, count,
                                                        chunk, cancelled);
    if (how == Decompression::InCallingThread)
        return source;
    return std::make_unique<BackgroundSource>(std::move(source), std::max(chunk, kLeastAheadChunk));
}

std::unique_ptr<ByteSource> OpenPlainByteSource(int fd, std::size_t chunkBytes) {
    return std::make_unique<PlainSource>(fd, chunkBytes, nullptr, 0, nullptr);
}

} // namespace quib
