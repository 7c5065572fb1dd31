#pragma once

#include <cstddef>
#include <memory>
#include <system_error>

namespace quib {

// A line that runs on from one piece of a file into the next, gathered
// whole, with room to read past it as past a piece (kReadablePastPiece).
class LineCarry {
  public:
    bool Empty() const { return m_length == 0; }
    const unsigned char* Begin() const { return m_bytes.get(); }
    const unsigned char* End() const { return m_bytes.get() + m_length; }
    void Clear() { m_length = 0; }

    // Adds [b, e), which ends in the line's line end when `lineEnds`. A line
    // that runs to kLongestLine bytes before its line end fails as too large;
    // no memory: std::bad_alloc.
    std::error_code Append(const unsigned char* b, const unsigned char* e, bool lineEnds);

    // Closes a last line that has no line end: a blank after it.
    void Close() { m_bytes[m_length] = ' '; }

  private:
    std::unique_ptr<unsigned char[]> m_bytes;
    std::size_t m_length = 0;
    std::size_t m_capacity = 0;
};

} // namespace quib
