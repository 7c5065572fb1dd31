#pragma once

#include <atomic>
#include <cstdint>

namespace quib {

// A read as another thread sees it and stops it: the reader adds the bytes it
// has taken of the file (of a compressed file, the compressed bytes) a chunk
// at a time, and once `cancelled` is set it stops at its next chunk, failing
// as std::errc::operation_canceled.
struct ReadProgress {
    std::atomic<std::uint64_t> bytesRead{0};
    std::atomic<bool> cancelled{false};
};

} // namespace quib
