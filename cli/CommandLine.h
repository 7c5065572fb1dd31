#pragma once

#include "Arguments.h"

#include <cstdio>

namespace quib {

// Runs a mode that needs no window and returns the exit status.
int RunConsoleMode(const Arguments& arguments, std::FILE* out, std::FILE* err);

// Reports refused arguments in one line, then where the usage is told;
// returns the usage status.
int ReportUsageError(const std::string& error, std::FILE* err);

} // namespace quib
