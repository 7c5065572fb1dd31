#include "ToneAnalysis.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

constexpr int kThreshold = 1000;
// At 100 Hz and more a sine stays below the threshold for a fraction of
// this; a longer silence is the sound server playing nothing.
constexpr double kDropoutMs = 0.5;
constexpr double kJoinMs = 100;
constexpr double kTolerance = 0.05;
// A half period this far from the piece's median is a jump of the waveform.
constexpr double kGlitch = 0.25;

// A run of sound without a dropout, between its first and last loud sample.
struct Piece {
    std::size_t first = 0;
    std::size_t last = 0;
    int halfPeriods = 0;          // the regular ones
    double halfPeriodSamples = 0; // their total length
    std::vector<double> glitches; // sample positions
};

double Frequency(int halfPeriods, double halfPeriodSamples, int sampleRate) {
    return halfPeriods > 0 ? sampleRate * halfPeriods / (2.0 * halfPeriodSamples) : 0.0;
}

bool Loud(std::int16_t sample) {
    return std::abs(sample) > kThreshold;
}

// The zero crossings between two samples, interpolated between samples.
std::vector<double> ZeroCrossings(const std::vector<std::int16_t>& samples, std::size_t first,
                                  std::size_t last) {
    std::vector<double> crossings;
    for (std::size_t j = first + 1; j <= last; ++j) {
        const int a = samples[j - 1];
        const int b = samples[j];
        if ((a < 0) != (b < 0))
            crossings.push_back(static_cast<double>(j - 1) + static_cast<double>(a) / (a - b));
    }
    return crossings;
}

// The piece's half periods from its zero crossings; those far from the
// median are glitches and do not count.
Piece MeasurePiece(const std::vector<std::int16_t>& samples, std::size_t first, std::size_t last) {
    Piece piece{first, last, 0, 0, {}};
    const std::vector<double> crossings = ZeroCrossings(samples, first, last);
    if (crossings.size() < 3)
        return piece;
    std::vector<double> halves;
    for (std::size_t k = 1; k < crossings.size(); ++k)
        halves.push_back(crossings[k] - crossings[k - 1]);
    std::vector<double> sorted = halves;
    std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
    const double median = sorted[sorted.size() / 2];
    for (std::size_t k = 0; k < halves.size(); ++k) {
        if (std::abs(halves[k] - median) > kGlitch * median) {
            piece.glitches.push_back(crossings[k]);
        } else {
            ++piece.halfPeriods;
            piece.halfPeriodSamples += halves[k];
        }
    }
    return piece;
}

std::vector<Piece> FindPieces(const std::vector<std::int16_t>& samples, int sampleRate) {
    const auto silence = static_cast<std::size_t>(sampleRate * kDropoutMs / 1000);
    std::vector<Piece> pieces;
    std::size_t k = 0;
    while (k < samples.size()) {
        if (!Loud(samples[k])) {
            ++k;
            continue;
        }
        const std::size_t first = k;
        std::size_t last = k;
        for (; k < samples.size() && k - last < silence; ++k)
            if (Loud(samples[k]))
                last = k;
        pieces.push_back(MeasurePiece(samples, first, last));
    }
    return pieces;
}

bool SameFrequency(double a, double b) {
    return a == 0 || b == 0 || std::abs(a - b) <= kTolerance * a;
}

std::string Format(const char* format, double a, double b = 0, double c = 0) {
    char text[128];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

} // namespace

std::vector<Tone> FindTones(const std::vector<std::int16_t>& samples, int sampleRate) {
    const auto ms = [&](double samplePosition) { return 1000.0 * samplePosition / sampleRate; };
    std::vector<Tone> tones;
    int halfPeriods = 0;
    double halfPeriodSamples = 0;
    std::size_t last = 0;
    for (const Piece& piece : FindPieces(samples, sampleRate)) {
        const double pieceFrequency =
            Frequency(piece.halfPeriods, piece.halfPeriodSamples, sampleRate);
        const bool joins = !tones.empty() &&
                           ms(static_cast<double>(piece.first - last)) < kJoinMs &&
                           SameFrequency(tones.back().frequencyHz, pieceFrequency);
        if (joins) {
            tones.back().dropouts.push_back({ms(static_cast<double>(last + 1)),
                                             ms(static_cast<double>(piece.first - last - 1))});
        } else {
            tones.emplace_back();
            tones.back().startMs = ms(static_cast<double>(piece.first));
            halfPeriods = 0;
            halfPeriodSamples = 0;
        }
        Tone& tone = tones.back();
        tone.soundMs += ms(static_cast<double>(piece.last - piece.first + 1));
        tone.spanMs = ms(static_cast<double>(piece.last + 1)) - tone.startMs;
        for (double glitch : piece.glitches)
            tone.glitchesMs.push_back(ms(glitch));
        halfPeriods += piece.halfPeriods;
        halfPeriodSamples += piece.halfPeriodSamples;
        tone.frequencyHz = Frequency(halfPeriods, halfPeriodSamples, sampleRate);
        last = piece.last;
    }
    return tones;
}

std::string DescribeTones(const std::vector<Tone>& tones) {
    if (tones.empty())
        return "no tone";
    std::string text;
    for (std::size_t k = 0; k < tones.size(); ++k) {
        const Tone& tone = tones[k];
        text +=
            (k == 0 ? "tone " : "; tone ") + std::to_string(k + 1) + ": " +
            Format("%.1f Hz for %.1f ms at %.1f ms", tone.frequencyHz, tone.spanMs, tone.startMs);
        if (!tone.dropouts.empty())
            text += Format(" (%.1f ms of sound)", tone.soundMs);
        for (std::size_t d = 0; d < tone.dropouts.size(); ++d)
            text +=
                (d == 0 ? ", dropouts " : ", ") +
                Format("%.1f ms at %.1f ms", tone.dropouts[d].durationMs, tone.dropouts[d].startMs);
        for (std::size_t g = 0; g < tone.glitchesMs.size(); ++g)
            text += (g == 0 ? ", glitches at " : ", ") + Format("%.1f ms", tone.glitchesMs[g]);
    }
    return text;
}

std::string CompareTones(const std::vector<Tone>& found,
                         const std::vector<ExpectedTone>& expected) {
    std::string problems;
    if (found.size() != expected.size()) {
        problems = "expected " + std::to_string(expected.size()) + " tones, found " +
                   std::to_string(found.size()) + "; ";
    } else {
        for (std::size_t k = 0; k < found.size(); ++k) {
            const std::string tone = "tone " + std::to_string(k + 1) + ": ";
            if (std::abs(found[k].frequencyHz - expected[k].frequencyHz) >
                kTolerance * expected[k].frequencyHz)
                problems += tone + Format("%.1f Hz, expected %.0f Hz within 5 %%; ",
                                          found[k].frequencyHz, expected[k].frequencyHz);
            if (found[k].soundMs > (1 + kTolerance) * expected[k].durationMs ||
                found[k].spanMs < (1 - kTolerance) * expected[k].durationMs)
                problems +=
                    tone + Format("%.1f ms, expected %.0f ms within 5 %%; ",
                                  found[k].soundMs < expected[k].durationMs ? found[k].spanMs
                                                                            : found[k].soundMs,
                                  expected[k].durationMs);
        }
    }
    return problems.empty() ? problems : problems + "found " + DescribeTones(found);
}

std::vector<std::int16_t> ReadSamples(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::int16_t> samples(bytes.size() / 2);
    for (std::size_t k = 0; k < samples.size(); ++k)
        samples[k] = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[2 * k]) |
                                               static_cast<std::uint8_t>(bytes[2 * k + 1]) << 8);
    return samples;
}
