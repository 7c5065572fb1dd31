#include "BlockOutput.h"

#include <cerrno>

namespace quib {

BlockOutput::BlockOutput(std::FILE* stream)
    : m_stream(stream), m_block(std::make_unique_for_overwrite<char[]>(kBlockBytes)) {}

void BlockOutput::WriteBlock() {
    if (m_error == 0 && std::fwrite(m_block.get(), 1, m_used, m_stream) != m_used)
        m_error = errno != 0 ? errno : EIO;
    m_used = 0;
}

int BlockOutput::Finish() {
    WriteBlock();
    if (m_error == 0 && std::fflush(m_stream) != 0)
        m_error = errno != 0 ? errno : EIO;
    return m_error;
}

} // namespace quib
