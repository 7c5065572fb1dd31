#pragma once

#include "Arguments.h"

#include <cstdio>

namespace quib {

// Writes the overview of the whole file as PNG, SVG or PDF; returns the exit
// status. Needs no display: Qt runs on its offscreen platform.
int RunOverview(const Arguments& arguments, std::FILE* err);

} // namespace quib
