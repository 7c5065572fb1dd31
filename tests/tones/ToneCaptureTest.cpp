#include "Beep.h"
#include "ExpectedTones.h"
#include "RecordedTones.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

// Plays a tone and checks that Beep returned after it ended, and no later
// than the tone and its grace (but for a busy machine's delay in waking it
// then). False when it gave up at that deadline.
bool TimedBeep(int frequency, int duration) {
    const double took = MillisecondsTaken([&] { Beep(frequency, duration); });
    EXPECT_GE(took, 0.95 * duration);
    EXPECT_LE(took, duration + kToneGraceMs + 100);
    return took < duration + kToneGraceMs;
}

TEST(Tones, PlayAtTheAskedFrequencyAndDuration) {
    ASSERT_NE(std::getenv("QUIB_TONE_MONITOR"), nullptr) << "run under with-null-sink.sh";
    const std::string difference = RecordAndCompareTones(
        [] {
            const bool inTime = TimedBeep(500, 50);
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
            const bool alsoInTime = TimedBeep(400, 100);
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            return inTime && alsoInTime;
        },
        kEndThenScaleTone);
    EXPECT_EQ(difference, "");
}

// Failing to connect takes under a millisecond; a tone output that waited
// for the absent server would take the tone and its grace of half a second.
// The bound lies between, with room for a busy machine.
TEST(Tones, WithoutASoundServerAreSilentAndDoNotWait) {
    TempDir empty;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setenv("XDG_RUNTIME_DIR", empty.Path().c_str(), 1);
        unsetenv("PULSE_SERVER");
        _exit(MillisecondsTaken([] { Beep(500, 50); }) < 250 ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

} // namespace
