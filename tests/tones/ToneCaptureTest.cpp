#include "Beep.h"
#include "TempDir.h"
#include "ToneAnalysis.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRate = 48000;

double ElapsedMs(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

off_t FileSize(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_size : 0;
}

// Records the null sink's monitor into a raw file while it lives.
class MonitorRecording {
  public:
    explicit MonitorRecording(const std::string& path) : m_path(path) {
        const char* monitor = std::getenv("QUIB_TONE_MONITOR");
        if (monitor == nullptr)
            return;
        const std::string device = std::string("--device=") + monitor;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        const char* argv[] = {"parecord",     "--raw",        device.c_str(),      "--format=s16le",
                              "--rate=48000", "--channels=1", "--latency-msec=10", nullptr};
        if (posix_spawnp(&m_pid, "parecord", &actions, nullptr, const_cast<char**>(argv),
                         environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        // The monitor streams silence once recording runs: wait for it.
        const auto start = Clock::now();
        while (m_pid > 0 && FileSize(path) < kRate / 10 && ElapsedMs(start) < 5000)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }

    bool Running() const { return m_pid > 0 && FileSize(m_path) > 0; }

    std::vector<std::int16_t> Stop() {
        if (m_pid > 0) {
            kill(m_pid, SIGINT);
            waitpid(m_pid, nullptr, 0);
            m_pid = -1;
        }
        return ReadSamples(m_path);
    }

    ~MonitorRecording() { Stop(); }

  private:
    std::string m_path;
    pid_t m_pid = -1;
};

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

    const std::vector<Tone> tones = FindTones(recording.Stop(), kRate);
    ASSERT_EQ(tones.size(), 2u);
    EXPECT_NEAR(tones[0].frequencyHz, 500, 25);
    EXPECT_NEAR(tones[0].durationMs, 50, 2.5);
    EXPECT_NEAR(tones[1].frequencyHz, 400, 20);
    EXPECT_NEAR(tones[1].durationMs, 100, 5);
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
