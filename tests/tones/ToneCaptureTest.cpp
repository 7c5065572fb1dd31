#include "Beep.h"
#include "ExpectedTones.h"
#include "MonitorRecording.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double ElapsedMs(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

// Plays a tone and checks that Beep returned after it ended, and in time.
void TimedBeep(int frequency, int duration) {
    const auto start = Clock::now();
    Beep(frequency, duration);
    const double took = ElapsedMs(start);
    EXPECT_GE(took, 0.95 * duration);
    EXPECT_LE(took, duration + 500.0);
}

TEST(Tones, PlayAtTheAskedFrequencyAndDuration) {
    ASSERT_NE(std::getenv("QUIB_TONE_MONITOR"), nullptr) << "run under with-null-sink.sh";
    TempDir dir;
    MonitorRecording recording(dir.Path() + "/capture.raw");
    ASSERT_TRUE(recording.Running());

    TimedBeep(500, 50);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    TimedBeep(400, 100);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));

    const std::vector<Tone> tones = FindTones(recording.Stop(), kMonitorRate);
    ExpectEndThenScaleTone(tones);
}

TEST(Tones, WithoutASoundServerAreSilentAndDoNotWait) {
    TempDir empty;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setenv("XDG_RUNTIME_DIR", empty.Path().c_str(), 1);
        unsetenv("PULSE_SERVER");
        const auto start = Clock::now();
        Beep(500, 50);
        _exit(ElapsedMs(start) < 25 ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

} // namespace
