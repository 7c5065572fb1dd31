#include "Compress.h"

#include <lzma.h>
#include <zlib.h>
#include <zstd.h>
#include <zstd_errors.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <stdexcept>

namespace {

using quib::Compression;

std::string Gzip(const std::string& text) {
    z_stream stream{};
    if (deflateInit2(&stream, 6, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2");
    std::string out(deflateBound(&stream, text.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    stream.avail_in = static_cast<uInt>(text.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int status = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (status != Z_STREAM_END)
        throw std::runtime_error("deflate");
    return out;
}

std::string Xz(const std::string& text) {
    // The fastest preset with a small dictionary: the tests compress
    // thousands of small files.
    lzma_options_lzma options;
    lzma_lzma_preset(&options, 0);
    options.dict_size = std::size_t{1} << 16;
    const lzma_filter filters[] = {{LZMA_FILTER_LZMA2, &options}, {LZMA_VLI_UNKNOWN, nullptr}};
    std::string out(lzma_stream_buffer_bound(text.size()), '\0');
    std::size_t written = 0;
    if (lzma_stream_buffer_encode(const_cast<lzma_filter*>(filters), LZMA_CHECK_CRC64, nullptr,
                                  reinterpret_cast<const uint8_t*>(text.data()), text.size(),
                                  reinterpret_cast<uint8_t*>(out.data()), &written,
                                  out.size()) != LZMA_OK)
        throw std::runtime_error("lzma_stream_buffer_encode");
    out.resize(written);
    return out;
}

std::string Zstd(const std::string& text) {
    ZSTD_CCtx* context = ZSTD_createCCtx();
    // As the zstd tool writes frames: with a checksum of the content.
    ZSTD_CCtx_setParameter(context, ZSTD_c_checksumFlag, 1);
    std::string out(ZSTD_compressBound(text.size()), '\0');
    const std::size_t written =
        ZSTD_compress2(context, out.data(), out.size(), text.data(), text.size());
    ZSTD_freeCCtx(context);
    if (ZSTD_isError(written))
        throw std::runtime_error("ZSTD_compress2");
    out.resize(written);
    return out;
}

std::string CompressPiece(const std::string& text, Compression format) {
    switch (format) {
    case Compression::Gzip:
        return Gzip(text);
    case Compression::Xz:
        return Xz(text);
    case Compression::Zstd:
        return Zstd(text);
    case Compression::None:
        break;
    }
    return text;
}

// Calls `decode(out, room)` with the free room at the end of `text`, grown
// as needed up to about `limit` bytes, until it tells the data whole or not;
// `decode` leaves in `room` what it did not fill.
template <class Decode>
Decompressed DecompressInto(std::string& text, std::size_t limit, Decode decode) {
    std::size_t used = 0;
    for (;;) {
        if (used == text.size()) {
            if (text.size() > limit) {
                text.resize(used);
                return Decompressed::TooLarge;
            }
            text.resize(std::max<std::size_t>(4096, text.size() * 2));
        }
        std::size_t room = text.size() - used;
        const std::optional<Decompressed> result = decode(text.data() + used, room);
        used = text.size() - room;
        if (result) {
            text.resize(used);
            return *result;
        }
    }
}

Decompressed GunzipAll(const std::string& data, std::string& text, std::size_t limit) {
    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK)
        return Decompressed::Invalid;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    const Decompressed result = DecompressInto(
        text, limit, [&](char* out, std::size_t& room) -> std::optional<Decompressed> {
            stream.next_out = reinterpret_cast<Bytef*>(out);
            stream.avail_out = static_cast<uInt>(room);
            const int status = inflate(&stream, Z_FINISH);
            room = stream.avail_out;
            if (status == Z_STREAM_END) {
                const char* rest = reinterpret_cast<const char*>(stream.next_in);
                if (std::all_of(rest, rest + stream.avail_in, [](char c) { return c == 0; }))
                    return Decompressed::Whole;
                inflateReset(&stream);
                return {};
            }
            // Only a full output may ask for more.
            if (status == Z_BUF_ERROR && room == 0)
                return {};
            return Decompressed::Invalid;
        });
    inflateEnd(&stream);
    return result;
}

Decompressed UnxzAll(const std::string& data, std::string& text, std::size_t limit) {
    lzma_stream stream = LZMA_STREAM_INIT;
    // A header may ask for a dictionary of up to 1.5 GiB.
    constexpr std::uint64_t kMemoryLimit = std::uint64_t{64} << 20;
    if (lzma_stream_decoder(&stream, kMemoryLimit, LZMA_CONCATENATED) != LZMA_OK)
        return Decompressed::Invalid;
    stream.next_in = reinterpret_cast<const uint8_t*>(data.data());
    stream.avail_in = data.size();
    const Decompressed result = DecompressInto(
        text, limit, [&](char* out, std::size_t& room) -> std::optional<Decompressed> {
            stream.next_out = reinterpret_cast<uint8_t*>(out);
            stream.avail_out = room;
            const lzma_ret status = lzma_code(&stream, LZMA_FINISH);
            room = stream.avail_out;
            switch (status) {
            case LZMA_OK:
                return {};
            case LZMA_STREAM_END:
                return Decompressed::Whole;
            case LZMA_MEMLIMIT_ERROR:
                return Decompressed::TooLarge;
            default:
                return Decompressed::Invalid;
            }
        });
    lzma_end(&stream);
    return result;
}

Decompressed UnzstdAll(const std::string& data, std::string& text, std::size_t limit) {
    ZSTD_DStream* stream = ZSTD_createDStream();
    // A frame header may ask for a window of up to 128 MiB.
    ZSTD_DCtx_setParameter(stream, ZSTD_d_windowLogMax, 26);
    ZSTD_inBuffer input{data.data(), data.size(), 0};
    const Decompressed result = DecompressInto(
        text, limit, [&](char* out, std::size_t& room) -> std::optional<Decompressed> {
            ZSTD_outBuffer output{out, room, 0};
            const std::size_t before = input.pos;
            const std::size_t hint = ZSTD_decompressStream(stream, &output, &input);
            room -= output.pos;
            if (ZSTD_isError(hint))
                return ZSTD_getErrorCode(hint) == ZSTD_error_frameParameter_windowTooLarge
                           ? Decompressed::TooLarge
                           : Decompressed::Invalid;
            // All input taken and the last frame ended, all of it given out.
            if (input.pos == input.size && hint == 0)
                return Decompressed::Whole;
            if (input.pos == before && output.pos == 0)
                return Decompressed::Invalid;
            return {};
        });
    ZSTD_freeDStream(stream);
    return result;
}

} // namespace

std::string CompressText(const std::string& text, Compression format, int pieces) {
    pieces = std::max(pieces, 1);
    std::string out;
    const std::size_t step = (text.size() + pieces - 1) / pieces;
    for (int k = 0; k < pieces; ++k) {
        const std::size_t begin = std::min(text.size(), k * step);
        const std::size_t end = std::min(text.size(), begin + step);
        if (k > 0 && begin == end)
            break;
        out += CompressPiece(text.substr(begin, end - begin), format);
    }
    return out;
}

const char* CompressedSuffix(Compression format) {
    switch (format) {
    case Compression::Gzip:
        return ".gz";
    case Compression::Xz:
        return ".xz";
    case Compression::Zstd:
        return ".zst";
    case Compression::None:
        break;
    }
    return "";
}

Decompressed ReferenceDecompress(const std::string& data, Compression format, std::string& text,
                                 std::size_t limit) {
    text.clear();
    switch (format) {
    case Compression::Gzip:
        return GunzipAll(data, text, limit);
    case Compression::Xz:
        return UnxzAll(data, text, limit);
    case Compression::Zstd:
        return UnzstdAll(data, text, limit);
    case Compression::None:
        break;
    }
    text = data;
    return Decompressed::Whole;
}
