#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>

namespace quib {

// Output gathered in one large block and handed to a stream a block at a
// time, so that whole-file output costs one write per megabyte, not one per
// line. The block is allocated once.
class BlockOutput {
  public:
    explicit BlockOutput(std::FILE* stream);

    // Where to write up to `bytes` (at most kBlockBytes); the block is written
    // out first when it has less room left.
    char* Room(std::size_t bytes) {
        if (kBlockBytes - m_used < bytes)
            WriteBlock();
        return m_block.get() + m_used;
    }
    // What was written at Room() ends at `end`.
    void Commit(const char* end) { m_used = static_cast<std::size_t>(end - m_block.get()); }

    // Writes out the rest and flushes the stream: 0, or the error of the
    // first write that failed.
    int Finish();

    static constexpr std::size_t kBlockBytes = std::size_t{1} << 20;

  private:
    void WriteBlock();

    std::FILE* m_stream;
    std::unique_ptr<char[]> m_block;
    std::size_t m_used = 0;
    int m_error = 0;
};

} // namespace quib
