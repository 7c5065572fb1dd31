#pragma once

#include <system_error>

namespace quib {

// Why a file could not be read, where the system's own errors do not say:
// the reader's failures, told to the user as their message(). The system's
// errors travel beside them as errno values in std::generic_category().
enum class ReadError {
    CompressedDataCorrupt = 1,
    CompressedDataCutShort,
    CompressedDataUnsupported,
};

std::error_code make_error_code(ReadError error);

} // namespace quib

template <> struct std::is_error_code_enum<quib::ReadError> : std::true_type {};
