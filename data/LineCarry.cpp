#include "LineCarry.h"

#include "ByteSource.h"
#include "DataFileReader.h"

#include <algorithm>
#include <cstring>

namespace quib {

std::error_code LineCarry::Append(const unsigned char* b, const unsigned char* e, bool lineEnds) {
    const std::size_t count = static_cast<std::size_t>(e - b);
    if (m_length + count - (lineEnds ? 1 : 0) >= kLongestLine)
        return std::make_error_code(std::errc::file_too_large);
    if (count == 0)
        return {};
    const std::size_t length = m_length + count;
    if (length > m_capacity) {
        // Doubling, but never past the longest line.
        const std::size_t capacity = std::max(length, std::min(2 * m_capacity, kLongestLine));
        auto bytes = MakePieceBuffer(capacity);
        if (m_length > 0)
            std::memcpy(bytes.get(), m_bytes.get(), m_length);
        m_bytes = std::move(bytes);
        m_capacity = capacity;
    }
    std::memcpy(m_bytes.get() + m_length, b, count);
    m_length = length;
    return {};
}

} // namespace quib
