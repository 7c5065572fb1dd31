#include "Compression.h"
#include "ReadError.h"

#include <zstd.h>
#include <zstd_errors.h>

#include <new>

namespace quib {
namespace {

std::error_code ErrorOf(std::size_t result) {
    switch (ZSTD_getErrorCode(result)) {
    case ZSTD_error_memory_allocation:
        return std::make_error_code(std::errc::not_enough_memory);
    // A window above zstd's default limit (128 MiB), which its tool refuses
    // too, or a dictionary that is not at hand.
    case ZSTD_error_frameParameter_windowTooLarge:
    case ZSTD_error_frameParameter_unsupported:
    case ZSTD_error_dictionary_wrong:
        return ReadError::CompressedDataUnsupported;
    default:
        return ReadError::CompressedDataCorrupt;
    }
}

// libzstd's streaming decompression: frames one after another, skippable
// frames passed over, content checksums verified where the frame has one.
class ZstdDecoder final : public StreamDecoder {
  public:
    ZstdDecoder() : m_stream(ZSTD_createDStream()) {
        if (m_stream == nullptr)
            throw std::bad_alloc();
    }
    ~ZstdDecoder() override { ZSTD_freeDStream(m_stream); }
    ZstdDecoder(const ZstdDecoder&) = delete;
    ZstdDecoder& operator=(const ZstdDecoder&) = delete;

    std::error_code Decode(const unsigned char*& in, const unsigned char* inEnd,
                           unsigned char*& out, unsigned char* outEnd, bool) override {
        while (out < outEnd) {
            ZSTD_inBuffer input{in, static_cast<std::size_t>(inEnd - in), 0};
            ZSTD_outBuffer output{out, static_cast<std::size_t>(outEnd - out), 0};
            const std::size_t result = ZSTD_decompressStream(m_stream, &output, &input);
            if (ZSTD_isError(result))
                return ErrorOf(result);
            if (input.pos == 0 && output.pos == 0)
                return {};
            in += input.pos;
            out += output.pos;
            // 0: a frame has ended and all of it was given out. (A call that
            // moves nothing after that already looks for the next frame.)
            m_frameEnded = result == 0;
        }
        return {};
    }

    bool Complete() const override { return m_frameEnded; }

  private:
    ZSTD_DStream* m_stream;
    bool m_frameEnded = false;
};

} // namespace

std::unique_ptr<StreamDecoder> MakeZstdDecoder() {
    return std::make_unique<ZstdDecoder>();
}

} // namespace quib
