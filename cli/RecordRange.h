#pragma once

#include "Arguments.h"

#include <cstdio>

namespace quib {

// 1-based positions, inclusive.
struct PositionRange {
    int first = 1;
    int last = 1;
};

// The positions that --record K or --records A-B|all asks for, each clamped
// into the file's records as Goto clamps it. A position that moved is told
// on `err` with what the mode does with the range in its place ("quib: the
// file has 320 records; writing records 300 to 320", `doing` "writing").
// A file without records gives position 1 and nothing is told.
PositionRange AskedPositions(const Arguments& arguments, int recordCount, const char* doing,
                             std::FILE* err);

} // namespace quib
