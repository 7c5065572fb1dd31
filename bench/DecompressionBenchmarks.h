#pragma once

#include "DataFileCase.h"

class TempDir;

// For `file` compressed each way: `quib --info` on the compressed file beside
// the format's own tool (zcat, xzcat, zstdcat to /dev/null), each iteration
// running both, one after the other, as whole processes ("decompress/FORMAT/
// dimD/N": wall time of quib, counters for both and their ratios), with
// `quib --info` on the plain file ("plain_ms") and the library's
// decompression alone in this process ("library_ms"). The statistics add
// "min" and "max": the spread of the repetitions.
void RegisterDecompressionBenchmarks(const TempDir& folder, const DataFileCase& file);
