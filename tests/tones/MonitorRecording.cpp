#include "MonitorRecording.h"

#include "ToneAnalysis.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <thread>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

off_t FileSize(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? info.st_size : 0;
}

} // namespace

MonitorRecording::MonitorRecording(const std::string& path) : m_path(path) {
    const char* monitor = std::getenv("QUIB_TONE_MONITOR");
    if (monitor == nullptr)
        return;
    const std::string device = std::string("--device=") + monitor;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const char* argv[] = {"parecord",     "--raw",        device.c_str(),      "--format=s16le",
                          "--rate=48000", "--channels=1", "--latency-msec=10", nullptr};
    if (posix_spawnp(&m_pid, "parecord", &actions, nullptr, const_cast<char**>(argv), environ) != 0)
        m_pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    // The monitor streams silence once recording runs: wait for it.
    const auto start = Clock::now();
    while (m_pid > 0 && FileSize(path) < kMonitorRate / 10 &&
           Clock::now() - start < std::chrono::seconds(5))
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

MonitorRecording::~MonitorRecording() {
    Stop();
}

bool MonitorRecording::Running() const {
    return m_pid > 0 && FileSize(m_path) > 0;
}

std::vector<std::int16_t> MonitorRecording::Stop() {
    if (m_pid > 0) {
        kill(m_pid, SIGINT);
        waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }
    return ReadSamples(m_path);
}
