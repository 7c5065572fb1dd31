#include "BackgroundSource.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <system_error>

namespace quib {

BackgroundSource::BackgroundSource(std::unique_ptr<ByteSource> source, std::size_t chunkBytes)
    : m_source(std::move(source)), m_chunkBytes(std::max<std::size_t>(chunkBytes, 1)) {
    for (Chunk& chunk : m_chunks)
        chunk.bytes = std::make_unique_for_overwrite<unsigned char[]>(m_chunkBytes);
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
            m_emptied.wait(lock, [this] { return m_stop || m_ready < kChunks; });
            if (m_stop)
                return;
        }
        Chunk& chunk = m_chunks[k];
        Fill(chunk);
        {
            const std::lock_guard lock(m_mutex);
            ++m_ready;
        }
        m_filled.notify_one();
        if (chunk.last)
            return;
    }
}

BackgroundSource::Chunk& BackgroundSource::Current() {
    std::unique_lock lock(m_mutex);
    m_filled.wait(lock, [this] { return m_ready > 0; });
    return m_chunks[m_readChunk];
}

void BackgroundSource::Release() {
    {
        const std::lock_guard lock(m_mutex);
        --m_ready;
    }
    m_emptied.notify_one();
    m_readChunk = (m_readChunk + 1) % kChunks;
    m_readOffset = 0;
}

std::error_code BackgroundSource::Read(unsigned char* into, std::size_t room, std::size_t& got) {
    if (!m_thread.joinable())
        return m_source->Read(into, room, got);
    got = 0;
    for (;;) {
        Chunk& chunk = Current();
        if (m_readOffset < chunk.length) {
            got = std::min(room, chunk.length - m_readOffset);
            std::memcpy(into, chunk.bytes.get() + m_readOffset, got);
            m_readOffset += got;
            return {};
        }
        if (chunk.last)
            return chunk.error;
        Release();
    }
}

std::error_code BackgroundSource::CheckRest() {
    if (!m_thread.joinable())
        return m_source->CheckRest();
    for (;;) {
        const Chunk& chunk = Current();
        if (chunk.last)
            return chunk.error;
        Release();
    }
}

} // namespace quib
