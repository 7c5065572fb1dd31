#pragma once

#include "RecordStatistics.h"

#include <string>

namespace quib {

// The figure the statistics panel writes at each node.
enum class Statistic { Mean, Minimum, Maximum, Positive, Minimal };
inline constexpr int kStatisticCount = 5;

// "Mean", "Minimum", "Maximum", "Positive", "Minimal".
const char* StatisticName(Statistic statistic);

// A node's figure as the panel writes it: a mean with one digit after the
// point, "-" where it means nothing (min, max and mean of no value, the
// difference's minimal nodes).
std::string StatisticText(const NodeStatistics& node, Statistic statistic, StatisticsRun run);

} // namespace quib
