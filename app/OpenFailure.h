#pragma once

#include <string>

namespace quib {

// Where the program tells that a file could not be opened: the one wording
// (CannotOpenMessage) in the one form each place needs.

// At start-up: on standard error, prefixed "quib: ". Started from a launcher
// or a file manager (standard error is not a terminal) nobody reads that, so
// where a screen is there the message is also shown in a box.
void ReportStartupFailure(const std::string& message);

} // namespace quib
