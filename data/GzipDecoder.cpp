#include "Compression.h"
#include "ReadError.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <new>

namespace quib {
namespace {

// zlib's inflate with the gzip wrapper, whose trailer's CRC-32 and length
// it checks. After a member either another member follows or, as gzip
// allows, zero bytes to the end.
class GzipDecoder final : public StreamDecoder {
  public:
    GzipDecoder() {
        if (inflateInit2(&m_stream, 16 + MAX_WBITS) != Z_OK)
            throw std::bad_alloc();
    }
    ~GzipDecoder() override { inflateEnd(&m_stream); }
    GzipDecoder(const GzipDecoder&) = delete;
    GzipDecoder& operator=(const GzipDecoder&) = delete;

    std::error_code Decode(const unsigned char*& in, const unsigned char* inEnd,
                           unsigned char*& out, unsigned char* outEnd, bool) override {
        for (;;) {
            if (m_place != Place::InMember) {
                while (in < inEnd && *in == 0) {
                    ++in;
                    m_place = Place::InPadding;
                }
                if (in == inEnd)
                    return {};
                if (m_place == Place::InPadding || inflateReset(&m_stream) != Z_OK)
                    return ReadError::CompressedDataCorrupt;
                m_place = Place::InMember;
            }
            if (out == outEnd)
                return {};
            m_stream.next_in = const_cast<unsigned char*>(in);
            m_stream.avail_in = static_cast<uInt>(std::min<std::size_t>(inEnd - in, UINT_MAX));
            m_stream.next_out = out;
            m_stream.avail_out = static_cast<uInt>(std::min<std::size_t>(outEnd - out, UINT_MAX));
            const int status = inflate(&m_stream, Z_NO_FLUSH);
            const bool progress = m_stream.next_in != in || m_stream.next_out != out;
            in = m_stream.next_in;
            out = m_stream.next_out;
            switch (status) {
            case Z_STREAM_END:
                m_place = Place::BetweenMembers;
                break;
            case Z_OK:
                if (!progress)
                    return {};
                break;
            case Z_BUF_ERROR: // nothing to do until more input or room comes
                return {};
            case Z_MEM_ERROR:
                return std::make_error_code(std::errc::not_enough_memory);
            default: // Z_DATA_ERROR, Z_NEED_DICT
                return ReadError::CompressedDataCorrupt;
            }
        }
    }

    bool Complete() const override { return m_place != Place::InMember; }

  private:
    enum class Place { InMember, BetweenMembers, InPadding };
    z_stream m_stream{};
    Place m_place = Place::InMember;
};

} // namespace

std::unique_ptr<StreamDecoder> MakeGzipDecoder() {
    return std::make_unique<GzipDecoder>();
}

} // namespace quib
