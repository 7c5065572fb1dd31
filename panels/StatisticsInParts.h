#pragma once

#include "RecordStatistics.h"

namespace quib {

// The statistics of a selection computed in as many parts as the workers
// can take at once: this thread computes one, the workers the others, and
// any part no worker has begun yet this thread takes on too.
RecordStatistics ComputeStatisticsInParts(const LatticeDocument& document,
                                          const RecordSelection& selection, ValueTransform values);

} // namespace quib
