#pragma once

#include "ToneAnalysis.h"

#include <vector>

// The two refusal tones, in this order: 500 Hz for 50 ms (the ends of the
// data), then 400 Hz for 100 ms (the limits of the scale).
inline const std::vector<ExpectedTone> kEndThenScaleTone = {{500, 50}, {400, 100}};
