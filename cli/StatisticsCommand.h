#pragma once

#include "Arguments.h"

#include <cstdio>

namespace quib {

// quib --statistics: per run and node, what the selected records hold (the
// records of --records that --find matches). 0, or 3 when no record is
// selected (nothing but the header is written).
int RunStatistics(const Arguments& arguments, std::FILE* out, std::FILE* err);

} // namespace quib
