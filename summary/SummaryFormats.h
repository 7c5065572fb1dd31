#pragma once

#include "SummaryRecord.h"
#include "SummaryText.h"

#include <cstddef>

namespace quib {

// The summary in its three formats, written straight into a buffer:
// - text: the summary lines, with the minimal and differing nodes;
// - csv: RFC 4180, a header line, then a line per primary record;
// - json: JSON Lines, an object per primary record.

enum class SummaryFormat { Text, Csv, Json };

// Room for what the header or one record writes in any format: two lines of
// 32 values and three lists of labels, with their keys and separators.
inline constexpr std::size_t kSummaryRecordBytes =
    2 * (kSummaryLineBytes + 64) + 3 * (kLabelListBytes + 64);

// The CSV header line; nothing for the other formats.
char* WriteSummaryHeader(char* out, SummaryFormat format, const SummaryLayout& layout);

char* WriteSummaryRecord(char* out, SummaryFormat format, const SummaryLayout& layout,
                         const SummaryRecord& record);

} // namespace quib
