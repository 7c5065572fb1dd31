#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

constexpr int kMonitorRate = 48000;

// Records the null sink's monitor (QUIB_TONE_MONITOR, set by
// with-null-sink.sh) into a raw file while it lives: mono 16-bit samples.
class MonitorRecording {
  public:
    explicit MonitorRecording(const std::string& path);
    ~MonitorRecording();
    MonitorRecording(const MonitorRecording&) = delete;
    MonitorRecording& operator=(const MonitorRecording&) = delete;

    bool Running() const;
    std::vector<std::int16_t> Stop();

  private:
    std::string m_path;
    pid_t m_pid = -1;
};
