#pragma once

#include "ByteSource.h"

#include <array>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace quib {

// Another source's bytes, read ahead on a thread of their own into a small
// ring of chunks while the reader works on the chunks before: decompression
// and parsing take about as long as each other. Where no thread can be
// started, the other source is read in the calling thread.
class BackgroundSource final : public ByteSource {
  public:
    BackgroundSource(std::unique_ptr<ByteSource> source, std::size_t chunkBytes);
    ~BackgroundSource() override;
    BackgroundSource(const BackgroundSource&) = delete;
    BackgroundSource& operator=(const BackgroundSource&) = delete;

    std::error_code Read(unsigned char* into, std::size_t room, std::size_t& got) override;
    std::error_code CheckRest() override;

  private:
    struct Chunk {
        // Left uninitialized: only what the source gives is ever read, and a
        // small file touches no more of it than it fills.
        std::unique_ptr<unsigned char[]> bytes;
        std::size_t length = 0;
        std::error_code error; // after its bytes, when the source failed
        bool last = false;     // the source ends after it
    };
    static constexpr std::size_t kChunks = 4;

    void Produce();
    void Fill(Chunk& chunk);
    // The chunk the reader takes from, waiting for it when it is not there.
    Chunk& Current();
    void Release();

    std::unique_ptr<ByteSource> m_source;
    std::size_t m_chunkBytes;
    std::array<Chunk, kChunks> m_chunks;
    std::mutex m_mutex;
    std::condition_variable m_filled;
    std::condition_variable m_emptied;
    std::size_t m_ready = 0; // chunks filled and not yet released by the reader
    bool m_stop = false;
    std::size_t m_readChunk = 0;
    std::size_t m_readOffset = 0;
    std::thread m_thread;
};

} // namespace quib
