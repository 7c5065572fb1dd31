#include "PeakMemory.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {

// A "Name:   123 kB" line of /proc/self/status, in bytes; -1 if absent.
long long StatusBytes(const char* name) {
    std::ifstream status("/proc/self/status");
    const std::string prefix = std::string(name) + ":";
    for (std::string line; std::getline(status, line);) {
        if (line.compare(0, prefix.size(), prefix) == 0)
            return std::stoll(line.substr(prefix.size())) * 1024;
    }
    return -1;
}

// Sets the peak (VmHWM) back to the current resident size.
bool ResetPeak() {
    std::FILE* file = std::fopen("/proc/self/clear_refs", "w");
    if (file == nullptr)
        return false;
    const bool written = std::fputs("5", file) >= 0;
    return std::fclose(file) == 0 && written;
}

long long MeasureHere(const std::function<void()>& work) {
    if (!ResetPeak())
        return -1;
    const long long before = StatusBytes("VmRSS");
    work();
    const long long peak = StatusBytes("VmHWM");
    return before < 0 || peak < 0 ? -1 : peak - before;
}

} // namespace

long long PeakBytesAddedBy(const std::function<void()>& work) {
    int channel[2];
    if (pipe(channel) != 0)
        return -1;
    const pid_t child = fork();
    if (child < 0) {
        close(channel[0]);
        close(channel[1]);
        return -1;
    }
    if (child == 0) {
        close(channel[0]);
        const long long added = MeasureHere(work);
        const bool sent = write(channel[1], &added, sizeof added) == sizeof added;
        _exit(sent ? 0 : 1);
    }
    close(channel[1]);
    long long added = -1;
    if (read(channel[0], &added, sizeof added) != sizeof added)
        added = -1;
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? added : -1;
}
