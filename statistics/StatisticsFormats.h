#pragma once

#include "RecordStatistics.h"
#include "SummaryFormats.h"

#include <cstddef>

namespace quib {

// The statistics in the formats of the summary, a line per run and node with
// the columns run, node, count, min, max, mean, positive and minimal, written
// straight into a buffer:
// - text: a header line, then the fields separated by one blank, "-" where a
//   figure is absent;
// - csv: RFC 4180, a header line, lines ending in CR LF, an empty field where
//   a figure is absent;
// - json: JSON Lines, an object per run and node, null where absent.
// A figure is absent where it means nothing: min, max and mean where the
// count is 0, minimal for the difference. The mean has three digits after
// the point.

// Room for the header or one line in any format.
inline constexpr std::size_t kStatisticsLineBytes = 256;

// The header line; nothing in JSON.
char* WriteStatisticsHeader(char* out, SummaryFormat format);

char* WriteStatisticsLine(char* out, SummaryFormat format, const RecordStatistics& statistics,
                          StatisticsRun run, int node);

// "primary", "imported", "difference".
const char* StatisticsRunName(StatisticsRun run);

} // namespace quib
