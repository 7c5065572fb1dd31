// The tone measurement on synthesized recordings, as the null sink's monitor
// gives them: what a busy machine does to a tone (silence while its samples
// are late, a jump of the waveform) must not move the result; a wrong tone
// must fail, and say what was found.

#include "ToneAnalysis.h"
#include "ExpectedTones.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 48000;

// At `atMs` into the tone: `silenceMs` of silence, then the tone goes on
// `skippedMs` further on.
struct Interruption {
    double atMs;
    double silenceMs;
    double skippedMs;
};

std::size_t Samples(double ms) {
    return static_cast<std::size_t>(std::lround(ms * kRate / 1000));
}

void AppendSilence(std::vector<std::int16_t>& out, double ms) {
    out.insert(out.end(), Samples(ms), 0);
}

// A tone as the tone output plays it: 12000 peak, 1 ms fades.
void AppendTone(std::vector<std::int16_t>& out, double hz, double ms,
                const std::vector<Interruption>& interruptions = {}) {
    const std::size_t count = Samples(ms);
    const double fade = Samples(1);
    std::size_t next = 0;
    for (std::size_t k = 0; k < count; ++k) {
        if (next < interruptions.size() && k == Samples(interruptions[next].atMs)) {
            AppendSilence(out, interruptions[next].silenceMs);
            k += Samples(interruptions[next].skippedMs);
            ++next;
        }
        const double envelope = std::min({1.0, k / fade, (count - k) / fade});
        out.push_back(static_cast<std::int16_t>(12000 * envelope *
                                                std::sin(2 * std::numbers::pi * hz * k / kRate)));
    }
}

// The refusal tones as the sound tests record them, the first one given.
std::vector<std::int16_t> Recording(double hz, double ms,
                                    const std::vector<Interruption>& interruptions = {}) {
    std::vector<std::int16_t> out;
    AppendSilence(out, 100);
    AppendTone(out, hz, ms, interruptions);
    AppendSilence(out, 150);
    AppendTone(out, 400, 100);
    AppendSilence(out, 300);
    return out;
}

TEST(ToneAnalysis, MeasuresACleanRecording) {
    const std::vector<Tone> tones = FindTones(Recording(500, 50), kRate);
    EXPECT_EQ(CompareTones(tones, kEndThenScaleTone), "");
    ASSERT_EQ(tones.size(), 2u) << DescribeTones(tones);
    EXPECT_NEAR(tones[0].frequencyHz, 500, 1);
    EXPECT_NEAR(tones[0].spanMs, 50, 1);
    EXPECT_DOUBLE_EQ(tones[0].soundMs, tones[0].spanMs);
    EXPECT_NEAR(tones[0].startMs, 100, 0.5);
    EXPECT_NEAR(tones[1].frequencyHz, 400, 1);
    EXPECT_NEAR(tones[1].spanMs, 100, 1);
    EXPECT_TRUE(tones[0].dropouts.empty() && tones[0].glitchesMs.empty()) << DescribeTones(tones);
}

// What a busy machine does: a silence while the samples are late, after
// which the sound server plays them late or skips them, here 15 ms in the
// middle; several silences; a jump of the waveform.
TEST(ToneAnalysis, DropoutsAndGlitchesDoNotMoveTheResult) {
    std::vector<Tone> tones = FindTones(Recording(500, 50, {{25, 15, 0}}), kRate);
    EXPECT_EQ(CompareTones(tones, kEndThenScaleTone), "");
    ASSERT_EQ(tones.size(), 2u) << DescribeTones(tones);
    EXPECT_NEAR(tones[0].frequencyHz, 500, 1);
    EXPECT_NEAR(tones[0].soundMs, 50, 1);
    EXPECT_NEAR(tones[0].spanMs, 65, 1);
    ASSERT_EQ(tones[0].dropouts.size(), 1u) << DescribeTones(tones);
    EXPECT_NEAR(tones[0].dropouts[0].startMs, 125, 0.5);
    EXPECT_NEAR(tones[0].dropouts[0].durationMs, 15, 0.5);

    tones = FindTones(Recording(500, 50, {{25, 15, 15}}), kRate);
    EXPECT_EQ(CompareTones(tones, kEndThenScaleTone), "");
    ASSERT_EQ(tones.size(), 2u) << DescribeTones(tones);
    EXPECT_NEAR(tones[0].frequencyHz, 500, 1);
    EXPECT_NEAR(tones[0].soundMs, 35, 1);
    EXPECT_NEAR(tones[0].spanMs, 50, 1);

    tones = FindTones(Recording(500, 50, {{5, 0.6, 0}, {20, 40, 10}, {35, 2, 0}}), kRate);
    EXPECT_EQ(CompareTones(tones, kEndThenScaleTone), "");
    ASSERT_EQ(tones.size(), 2u) << DescribeTones(tones);
    EXPECT_EQ(tones[0].dropouts.size(), 3u) << DescribeTones(tones);
    EXPECT_NEAR(tones[0].frequencyHz, 500, 1);

    tones = FindTones(Recording(500, 50, {{20, 0, 0.4}}), kRate);
    EXPECT_EQ(CompareTones(tones, kEndThenScaleTone), "");
    ASSERT_EQ(tones.size(), 2u) << DescribeTones(tones);
    EXPECT_NEAR(tones[0].frequencyHz, 500, 1);
    EXPECT_FALSE(tones[0].glitchesMs.empty()) << DescribeTones(tones);
}

TEST(ToneAnalysis, WrongTonesFailAndSayWhatWasFound) {
    std::vector<std::int16_t> extra = Recording(500, 50);
    AppendTone(extra, 400, 100);
    std::vector<std::int16_t> missing;
    AppendSilence(missing, 100);
    AppendTone(missing, 500, 50);
    AppendSilence(missing, 300);
    std::vector<std::int16_t> closeBehind = missing;
    closeBehind.resize(closeBehind.size() - Samples(240));
    AppendTone(closeBehind, 500, 50);
    AppendSilence(closeBehind, 150);
    AppendTone(closeBehind, 400, 100);
    const struct {
        std::vector<std::int16_t> recording;
        std::string reason;
    } cases[] = {
        {Recording(530, 50), "tone 1: 530.0 Hz, expected 500 Hz"},
        {Recording(470, 50, {{25, 15, 0}}), "tone 1: 470.0 Hz, expected 500 Hz"},
        {Recording(500, 56), "tone 1: 55.6 ms, expected 50 ms"},
        // Whatever became of the samples at a dropout, the tone was too long
        // or too short.
        {Recording(500, 57, {{25, 4, 4}}), "tone 1: 52.6 ms, expected 50 ms"},
        {Recording(500, 44, {{25, 15, 15}}), "tone 1: 43.6 ms, expected 50 ms"},
        {missing, "expected 2 tones, found 1"},
        {extra, "expected 2 tones, found 3"},
        // A second tone of the same frequency close behind is no dropout.
        {closeBehind, "tone 1: 99.3 ms, expected 50 ms"},
    };
    for (const auto& c : cases) {
        const std::string result = CompareTones(FindTones(c.recording, kRate), kEndThenScaleTone);
        EXPECT_NE(result.find(c.reason), std::string::npos) << result;
        EXPECT_NE(result.find("found tone 1: "), std::string::npos) << result;
    }
}

} // namespace
