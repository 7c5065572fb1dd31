#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string_view>

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
    // Copies `text` in, of any length.
    void Write(std::string_view text);

    // Writes out the rest and flushes the stream, which is standard output:
    // `status` when every write went through; otherwise "quib: cannot write
    // to standard output: REASON" on `err` and 1, never the status of a
    // success.
    int FinishStandardOutput(int status, std::FILE* err);

    static constexpr std::size_t kBlockBytes = std::size_t{1} << 20;

  private:
    void WriteBlock();
    // 0, or the error of the first write that failed.
    int Finish();

    std::FILE* m_stream;
    std::unique_ptr<char[]> m_block;
    std::size_t m_used = 0;
    int m_error = 0;
};

} // namespace quib
