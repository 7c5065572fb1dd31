#pragma once

#include "ToneAnalysis.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The two refusal tones, in this order, each within 5 %: 500 Hz for 50 ms
// (the ends of the data), then 400 Hz for 100 ms (the limits of the scale).
inline void ExpectEndThenScaleTone(const std::vector<Tone>& tones) {
    std::string found;
    for (const Tone& tone : tones)
        found += " " + std::to_string(tone.frequencyHz) + " Hz for " +
                 std::to_string(tone.durationMs) + " ms;";
    ASSERT_EQ(tones.size(), 2u) << "tones:" << found;
    EXPECT_NEAR(tones[0].frequencyHz, 500, 25);
    EXPECT_NEAR(tones[0].durationMs, 50, 2.5);
    EXPECT_NEAR(tones[1].frequencyHz, 400, 20);
    EXPECT_NEAR(tones[1].durationMs, 100, 5);
}
