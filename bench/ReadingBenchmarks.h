#pragma once

#include "DataFileCase.h"

#include <vector>

// Registers, for each file, the four readings side by side ("read/<reader>/
// dimD/N", in bytes per second), and for the files with the most records the
// peak memory that a reading adds ("memory/<reader>/dimD/N", bytes per record).
void RegisterReadingBenchmarks(const std::vector<DataFileCase>& files);
