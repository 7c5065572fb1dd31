#pragma once

#include <cstdint>
#include <string>

// The bytes of a data file as the instruments write them: a title, the
// dimension line, the section marker, `records` lines "(n) v1 ... vd" numbered
// from 1, and the end line. Values are mostly small counts with some negatives
// and a few large numbers; the same seed gives the same file.
std::string GenerateDataFile(int dimension, int records, std::uint64_t seed = 1);

// The record lines alone, numbered from `first`: what a running instrument
// appends to a file it writes.
std::string GenerateRecordLines(int dimension, int first, int records, std::uint64_t seed = 1);

// Lines in a generated file that are not records.
inline constexpr int kGeneratedHeaderAndEndLines = 4;
