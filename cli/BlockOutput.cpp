#include "BlockOutput.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace quib {

BlockOutput::BlockOutput(std::FILE* stream)
    : m_stream(stream), m_block(std::make_unique_for_overwrite<char[]>(kBlockBytes)) {}

void BlockOutput::WriteBlock() {
    errno = 0;
    if (m_error == 0 && std::fwrite(m_block.get(), 1, m_used, m_stream) != m_used)
        m_error = errno != 0 ? errno : EIO;
    m_used = 0;
}

void BlockOutput::Write(std::string_view text) {
    while (!text.empty()) {
        const std::size_t piece = std::min(text.size(), kBlockBytes);
        char* room = Room(piece);
        Commit(std::copy_n(text.data(), piece, room));
        text.remove_prefix(piece);
    }
}

int BlockOutput::FinishStandardOutput(int status, std::FILE* err) {
    const int error = Finish();
    if (error == 0)
        return status;
    std::fprintf(err, "quib: cannot write to standard output: %s\n", std::strerror(error));
    return 1;
}

int BlockOutput::Finish() {
    WriteBlock();
    errno = 0;
    if (m_error == 0 && std::fflush(m_stream) != 0)
        m_error = errno != 0 ? errno : EIO;
    return m_error;
}

} // namespace quib
