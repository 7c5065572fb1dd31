#pragma once

#include <string>
#include <string_view>
#include <system_error>

namespace quib {

// Writes `bytes` to `path` whole or not at all: into a new file beside it,
// then renamed over it, so that a write that fails leaves no file of its own
// and any file of that name as it was. A path that names a device or a pipe
// (or a link to one) is written to as it is: it cannot be replaced. The
// error, when there is one, is the system's.
std::error_code WriteWholeFile(const std::string& path, std::string_view bytes);

} // namespace quib
