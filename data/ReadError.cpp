#include "ReadError.h"

#include "ErrorCodes.h"

namespace quib {
namespace {

const char* Describe(ReadError error) {
    switch (error) {
    case ReadError::CompressedDataCorrupt:
        return "the compressed data is corrupt";
    case ReadError::CompressedDataCutShort:
        return "the compressed data is cut short";
    case ReadError::CompressedDataUnsupported:
        return "the compressed data uses options this program does not read";
    }
    return "unknown read error";
}

} // namespace

std::error_code make_error_code(ReadError error) {
    return MakeErrorCode<ReadError, Describe>(error, "quib.read");
}

} // namespace quib
