#include "Compression.h"
#include "ReadError.h"

#include <lzma.h>

#include <cstdint>
#include <new>

namespace quib {
namespace {

// liblzma's .xz decoder, streams one after another and the padding between
// them included, every check it knows verified, no memory limit of its own
// (running out of memory is told as for any file).
class XzDecoder final : public StreamDecoder {
  public:
    XzDecoder() {
        if (lzma_stream_decoder(&m_stream, UINT64_MAX, LZMA_CONCATENATED) != LZMA_OK)
            throw std::bad_alloc();
    }
    ~XzDecoder() override { lzma_end(&m_stream); }
    XzDecoder(const XzDecoder&) = delete;
    XzDecoder& operator=(const XzDecoder&) = delete;

    std::error_code Decode(const unsigned char*& in, const unsigned char* inEnd,
                           unsigned char*& out, unsigned char* outEnd, bool inputEnds) override {
        while (!m_ended && out < outEnd) {
            m_stream.next_in = in;
            m_stream.avail_in = static_cast<std::size_t>(inEnd - in);
            m_stream.next_out = out;
            m_stream.avail_out = static_cast<std::size_t>(outEnd - out);
            // The end of the last stream is known only once told to finish.
            const lzma_ret status = lzma_code(&m_stream, inputEnds ? LZMA_FINISH : LZMA_RUN);
            const bool progress = m_stream.next_in != in || m_stream.next_out != out;
            in = m_stream.next_in;
            out = m_stream.next_out;
            switch (status) {
            case LZMA_OK:
                if (!progress)
                    return {};
                break;
            case LZMA_STREAM_END:
                m_ended = true;
                break;
            case LZMA_BUF_ERROR: // no progress possible with what there is
                return {};
            case LZMA_MEM_ERROR:
            case LZMA_MEMLIMIT_ERROR:
                return std::make_error_code(std::errc::not_enough_memory);
            case LZMA_OPTIONS_ERROR:
                return ReadError::CompressedDataUnsupported;
            default: // LZMA_FORMAT_ERROR, LZMA_DATA_ERROR
                return ReadError::CompressedDataCorrupt;
            }
        }
        return {};
    }

    bool Complete() const override { return m_ended; }

  private:
    lzma_stream m_stream = LZMA_STREAM_INIT;
    bool m_ended = false;
};

} // namespace

std::unique_ptr<StreamDecoder> MakeXzDecoder() {
    return std::make_unique<XzDecoder>();
}

} // namespace quib
