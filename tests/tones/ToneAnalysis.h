#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A run of sound in a recording, found by its amplitude.
struct Tone {
    double startMs;
    double durationMs;
    double frequencyHz;
};

// Finds the tones in mono 16-bit samples; silences shorter than 10 ms do not
// split a tone.
std::vector<Tone> FindTones(const std::vector<std::int16_t>& samples, int sampleRate);

std::vector<std::int16_t> ReadSamples(const std::string& path);
