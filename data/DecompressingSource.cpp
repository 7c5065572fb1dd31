#include "DecompressingSource.h"

#include "ReadError.h"

#include <algorithm>
#include <cstring>

namespace quib {

DecompressingSource::DecompressingSource(int fd, std::unique_ptr<StreamDecoder> decoder,
                                         const unsigned char* first, std::size_t firstCount,
                                         std::size_t chunkBytes, const std::atomic<bool>* cancelled)
    : m_fd(fd), m_decoder(std::move(decoder)),
      m_chunkBytes(std::max({chunkBytes, firstCount, std::size_t{1}})),
      m_input(std::make_unique_for_overwrite<unsigned char[]>(m_chunkBytes)),
      m_cancelled(cancelled) {
    std::memcpy(m_input.get(), first, firstCount);
    m_in = m_input.get();
    m_inEnd = m_in + firstCount;
}

std::error_code DecompressingSource::Refill() {
    std::size_t got = 0;
    if (const std::error_code error = ReadSome(m_fd, m_input.get(), m_chunkBytes, got, m_cancelled))
        return error;
    m_in = m_input.get();
    m_inEnd = m_in + got;
    m_inputEnded = got == 0;
    return {};
}

std::error_code DecompressingSource::Read(unsigned char* into, std::size_t room, std::size_t& got) {
    got = 0;
    unsigned char* out = into;
    for (;;) {
        if (m_in == m_inEnd && !m_inputEnded) {
            if (const std::error_code error = Refill())
                return error;
        }
        const unsigned char* const taken = m_in;
        if (const std::error_code error =
                m_decoder->Decode(m_in, m_inEnd, out, into + room, m_inputEnded))
            return error;
        if (out != into) {
            got = static_cast<std::size_t>(out - into);
            return {};
        }
        if (m_in != taken || (m_in == m_inEnd && !m_inputEnded))
            continue;
        // Nothing moves: at the end of the input either every stream is
        // whole or the data stops inside one.
        if (m_inputEnded)
            return m_decoder->Complete() ? std::error_code{} : ReadError::CompressedDataCutShort;
        return ReadError::CompressedDataCorrupt;
    }
}

std::error_code DecompressingSource::Next(BytePiece& piece) {
    if (!m_output)
        m_output = MakePieceBuffer(m_chunkBytes);
    piece = {m_output.get(), 0};
    return Read(m_output.get(), m_chunkBytes, piece.count);
}

} // namespace quib
