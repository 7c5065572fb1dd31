#include "BackgroundSource.h"

#include <algorithm>
#include <new>
#include <system_error>

namespace quib {

BackgroundSource::BackgroundSource(std::unique_ptr<DecompressingSource> source,
                                   std::size_t chunkBytes)
    : m_source(std::move(source)), m_chunkBytes(std::max<std::size_t>(chunkBytes, 1)) {
    for (Chunk& chunk : m_chunks)
        chunk.bytes = MakePieceBuffer(m_chunkBytes);
    try {
        m_thread = std::thread(&BackgroundSource::Produce, this);
    } catch (const std::system_error&) {
        for (Chunk& chunk : m_chunks)
            chunk.bytes.reset();
    }
}

BackgroundSource::~BackgroundSource() {
    if (!m_thread.joinable())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_emptied.notify_one();
    m_thread.join();
}

void BackgroundSource::Fill(Chunk& chunk) {
    chunk.length = 0;
    try {
        while (chunk.length < m_chunkBytes) {
            std::size_t got = 0;
            chunk.error =
                m_source->Read(chunk.bytes.get() + chunk.length, m_chunkBytes - chunk.length, got);
            chunk.length += got;
            chunk.last = chunk.error || got == 0;
            if (chunk.last)
                return;
        }
    } catch (const std::bad_alloc&) {
        chunk.error = std::make_error_code(std::errc::not_enough_memory);
        chunk.last = true;
    }
}

void BackgroundSource::Produce() {
    for (std::size_t k = 0;; k = (k + 1) % kChunks) {
        {
            std::unique_lock lock(m_mutex);
            if (m_ready == kChunks) {
                m_producerWaits = true;
                m_emptied.wait(lock, [this] { return m_stop || m_ready <= kChunks - kBatch; });
                m_producerWaits = false;
            }
            if (m_stop)
                return;
        }
        Chunk& chunk = m_chunks[k];
        Fill(chunk);
        bool wake = false;
        {
            const std::lock_guard lock(m_mutex);
            ++m_ready;
            m_lastFilled = chunk.last;
            wake = m_readerWaits && (m_ready >= kBatch || m_lastFilled);
        }
        if (wake)
            m_filled.notify_one();
        if (chunk.last)
            return;
    }
}

BackgroundSource::Chunk& BackgroundSource::Current() {
    std::unique_lock lock(m_mutex);
    if (m_ready == 0) {
        m_readerWaits = true;
        m_filled.wait(lock, [this] { return m_ready >= kBatch || (m_ready > 0 && m_lastFilled); });
        m_readerWaits = false;
    }
    return m_chunks[m_readChunk];
}

void BackgroundSource::Release() {
    bool wake = false;
    {
        const std::lock_guard lock(m_mutex);
        --m_ready;
        wake = m_producerWaits && m_ready <= kChunks - kBatch;
    }
    if (wake)
        m_emptied.notify_one();
    m_readChunk = (m_readChunk + 1) % kChunks;
}

std::error_code BackgroundSource::Next(BytePiece& piece) {
    if (!m_thread.joinable())
        return m_source->Next(piece);
    piece = {};
    if (m_lent) {
        // Past the last chunk there is only its end, or the reason for it.
        if (m_chunks[m_readChunk].last)
            return m_chunks[m_readChunk].error;
        Release();
        m_lent = false;
    }
    const Chunk& chunk = Current();
    m_lent = true;
    if (chunk.length == 0)
        return chunk.error;
    piece = {chunk.bytes.get(), chunk.length};
    return {};
}

std::error_code BackgroundSource::CheckRest() {
    return ReadToEnd(*this);
}

} // namespace quib
