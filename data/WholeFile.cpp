#include "WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>

namespace quib {

namespace {

std::error_code LastError() {
    return {errno, std::generic_category()};
}

std::error_code WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return LastError();
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

std::error_code WriteInPlace(const std::string& path, std::string_view bytes) {
    const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return LastError();
    std::error_code error = WriteAll(fd, bytes);
    if (close(fd) != 0 && !error)
        error = LastError();
    return error;
}

// What the file will replace: the target of a link, so that the link stays.
std::string Target(const std::string& path) {
    char resolved[PATH_MAX];
    struct stat link {};
    if (lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode) &&
        realpath(path.c_str(), resolved) != nullptr)
        return resolved;
    return path;
}

// A new file beside the target, made with the mode any new file gets.
int CreateBeside(const std::string& target, std::string& name) {
    const std::size_t slash = target.rfind('/');
    const std::string stem = target.substr(0, slash + 1) + "." + target.substr(slash + 1) + ".";
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = stem + std::to_string(random());
        const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

std::error_code WriteWholeFile(const std::string& path, std::string_view bytes) {
    struct stat existing {};
    const bool exists = stat(path.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return WriteInPlace(path, bytes);
    const std::string target = Target(path);
    std::string temporary;
    const int fd = CreateBeside(target, temporary);
    if (fd < 0)
        return LastError();
    std::error_code error = WriteAll(fd, bytes);
    // A replaced file keeps its mode.
    if (!error && exists && fchmod(fd, existing.st_mode & 07777) != 0)
        error = LastError();
    if (!error && fsync(fd) != 0)
        error = LastError();
    if (close(fd) != 0 && !error)
        error = LastError();
    if (!error && rename(temporary.c_str(), target.c_str()) != 0)
        error = LastError();
    if (error)
        unlink(temporary.c_str());
    return error;
}

} // namespace quib
