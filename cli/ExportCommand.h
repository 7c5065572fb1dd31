#pragma once

#include "Arguments.h"

#include <cstdio>

namespace quib {

// Writes the picture the window would show as PNG, SVG or PDF; returns the
// exit status. Needs no display: Qt runs on its offscreen platform.
int RunExport(const Arguments& arguments, std::FILE* err);

} // namespace quib
