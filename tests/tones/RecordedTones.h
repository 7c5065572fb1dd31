#pragma once

#include "ToneAnalysis.h"

#include <functional>
#include <string>
#include <vector>

// How long a tone output waits beyond a tone's end for the sound server,
// at most.
constexpr double kToneGraceMs = 500;

double MillisecondsTaken(const std::function<void()>& call);

// Plays tones through `play` while the null sink's monitor records them, and
// compares what was recorded with `expected`. `play` returns false when a
// tone output gave up at its deadline: the sound server did not keep up.
// A busy machine can damage a recording beyond what the analysis leaves out
// (a tone cut at that deadline, samples lost at a tone's end), so a
// recording that differs and shows such damage (a tone that met its
// deadline, dropouts, glitches) is made again, three times in all; one that
// differs without any is a wrong tone. Returns "", or what differed in each
// recording.
std::string RecordAndCompareTones(const std::function<bool()>& play,
                                  const std::vector<ExpectedTone>& expected);
