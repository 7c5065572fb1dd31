#include "RecordedTones.h"

#include "MonitorRecording.h"
#include "TempDir.h"

#include <chrono>
#include <iostream>

namespace {

constexpr int kRecordings = 3;

bool Damaged(const std::vector<Tone>& tones) {
    for (const Tone& tone : tones)
        if (!tone.dropouts.empty() || !tone.glitchesMs.empty())
            return true;
    return false;
}

} // namespace

double MillisecondsTaken(const std::function<void()>& call) {
    const auto start = std::chrono::steady_clock::now();
    call();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

std::string RecordAndCompareTones(const std::function<bool()>& play,
                                  const std::vector<ExpectedTone>& expected) {
    std::string differences;
    for (int k = 1; k <= kRecordings; ++k) {
        TempDir dir;
        MonitorRecording recording(dir.Path() + "/capture.raw");
        if (!recording.Running())
            return differences + "the null sink's monitor could not be recorded";
        const bool inTime = play();
        const std::vector<Tone> tones = FindTones(recording.Stop(), kMonitorRate);
        const std::string label = "recording " + std::to_string(k) + ": ";
        std::cout << label << DescribeTones(tones)
                  << (inTime ? "" : " (a tone output gave up at its deadline)") << "\n";
        const std::string difference = CompareTones(tones, expected);
        if (difference.empty())
            return "";
        differences += label + difference + (inTime ? "\n" : " (a tone output gave up)\n");
        if (inTime && !Damaged(tones))
            break;
    }
    return differences;
}
