#pragma once

#include "ByteSource.h"
#include "DecompressingSource.h"

#include <array>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace quib {

// Decompressed text, made ahead on a thread of its own into a ring of
// chunks while the reader parses the chunks before, in place: decompression
// and parsing take about as long as each other. Where no thread can be
// started, the text is decompressed in the calling thread.
class BackgroundSource final : public ByteSource {
  public:
    BackgroundSource(std::unique_ptr<DecompressingSource> source, std::size_t chunkBytes);
    ~BackgroundSource() override;
    BackgroundSource(const BackgroundSource&) = delete;
    BackgroundSource& operator=(const BackgroundSource&) = delete;

    std::error_code Next(BytePiece& piece) override;
    std::error_code CheckRest() override;

  private:
    struct Chunk {
        std::unique_ptr<unsigned char[]> bytes;
        std::size_t length = 0;
        std::error_code error; // after its bytes, when the source failed
        bool last = false;     // the source ends after it
    };
    // A ring of some megabytes rides out a while in which either thread is
    // not scheduled; the threads wake each other a batch of chunks at a time
    // instead of at every chunk.
    static constexpr std::size_t kChunks = 16;
    static constexpr std::size_t kBatch = kChunks / 4;

    void Produce();
    void Fill(Chunk& chunk);
    // The chunk the reader takes from, waiting for it when it is not there.
    Chunk& Current();
    // Gives the reader's chunk back to be filled again.
    void Release();

    std::unique_ptr<DecompressingSource> m_source;
    std::size_t m_chunkBytes;
    std::array<Chunk, kChunks> m_chunks;
    std::mutex m_mutex;
    std::condition_variable m_filled;
    std::condition_variable m_emptied;
    std::size_t m_ready = 0;      // chunks filled and not yet released by the reader
    bool m_lastFilled = false;    // the chunk the source ends in is among them
    bool m_readerWaits = false;   // for m_filled
    bool m_producerWaits = false; // for m_emptied
    bool m_stop = false;
    std::size_t m_readChunk = 0;
    bool m_lent = false; // the reader's chunk is lent as a piece
    std::thread m_thread;
};

} // namespace quib
