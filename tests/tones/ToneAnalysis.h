#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A silence inside a tone, where a busy machine kept the tone's samples
// from the sound server in time: it played nothing, and then went on with
// the late samples or with those due by then.
struct Dropout {
    double startMs;
    double durationMs;
};

// A tone in a recording: pieces of sound of one frequency, with the
// dropouts between them. Its frequency comes from the zero crossings inside
// each piece, so that neither a dropout nor a jump of the waveform (a
// glitch) moves it. Its duration as played lies between its sound alone
// (the samples that came late) and its span, dropouts included (the samples
// that were skipped).
struct Tone {
    double startMs = 0;
    double soundMs = 0;
    double spanMs = 0;
    double frequencyHz = 0;
    std::vector<Dropout> dropouts;
    std::vector<double> glitchesMs; // where the waveform jumped
};

// Finds the tones of 100 Hz and more in mono 16-bit samples. A silence of
// half a millisecond or more ends a piece of sound; pieces of one frequency
// (within 5 %) less than 100 ms apart are one tone.
std::vector<Tone> FindTones(const std::vector<std::int16_t>& samples, int sampleRate);

// What was found, for a person to read: each tone's frequency, duration,
// dropouts and glitches.
std::string DescribeTones(const std::vector<Tone>& tones);

struct ExpectedTone {
    double frequencyHz;
    double durationMs;
};

// Empty when the tones are the expected ones, in order, each within 5 % in
// frequency and in duration (between its sound and its span); else what
// differs, and all that was found.
std::string CompareTones(const std::vector<Tone>& found, const std::vector<ExpectedTone>& expected);

std::vector<std::int16_t> ReadSamples(const std::string& path);
