#include "LineEndScan.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

long long CountLineEnds(const std::string& path, std::vector<char>& buffer) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    long long count = 0;
    for (;;) {
        const ssize_t got = read(fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            close(fd);
            return got < 0 ? -1 : count;
        }
        const char* p = buffer.data();
        const char* end = p + got;
        while ((p = static_cast<const char*>(
                    std::memchr(p, '\n', static_cast<std::size_t>(end - p))))) {
            ++count;
            ++p;
        }
    }
}
