#pragma once

#include "DataFileCase.h"

#include <vector>

class TempDir;

// Registers, for each file with the most records and an import of as many
// (written into `folder`), what `--find` costs beside what `--info` costs:
// "find/load/dimD/N" reads both files and pairs them, as --info --import
// does; "find/load_and_find/VALUES/dimD/N" does that and runs a condition of
// a few terms over every record, with the values as read or transformed;
// "find/pass/VALUES/dimD/N" is the pass alone.
void RegisterQueryBenchmarks(const TempDir& folder, const std::vector<DataFileCase>& files);
