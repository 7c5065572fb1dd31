#include "DisplayCheck.h"

#include <X11/Xlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace quib {

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

bool XAnswers(const std::string& name) {
    Display* display = XOpenDisplay(name.c_str());
    if (display == nullptr)
        return false;
    XCloseDisplay(display);
    return true;
}

// A compositor's socket, by its absolute path or in the runtime folder.
bool WaylandAnswers(const std::string& name) {
    const std::string path =
        name.front() == '/' ? name : Environment("XDG_RUNTIME_DIR") + "/" + name;
    sockaddr_un address{};
    if (path.size() >= sizeof address.sun_path)
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool connected = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return connected;
}

// The platforms asked for by -platform or QT_QPA_PLATFORM, in Qt's order of
// trying them; none when Qt is to choose.
std::vector<std::string> AskedPlatforms(const std::vector<std::string>& qtOptions) {
    std::string asked = Environment("QT_QPA_PLATFORM");
    const auto option = std::find(qtOptions.begin(), qtOptions.end(), "-platform");
    if (option != qtOptions.end() && option + 1 != qtOptions.end())
        asked = option[1];
    std::vector<std::string> platforms;
    std::istringstream list(asked);
    for (std::string platform; std::getline(list, platform, ';');)
        if (!platform.empty())
            platforms.push_back(platform.substr(0, platform.find(':')));
    return platforms;
}

} // namespace

DisplayAnswer CheckDisplay(const std::vector<std::string>& qtOptions) {
    const std::string x = Environment("DISPLAY");
    const std::string wayland = Environment("WAYLAND_DISPLAY");
    const auto xAnswers = [&] { return !x.empty() && XAnswers(x); };
    const auto waylandAnswers = [&] { return !wayland.empty() && WaylandAnswers(wayland); };
    const std::vector<std::string> asked = AskedPlatforms(qtOptions);
    if (!asked.empty()) {
        for (const std::string& platform : asked)
            if ((platform != "xcb" && platform != "wayland") ||
                (platform == "xcb" ? xAnswers() : waylandAnswers()))
                return {DisplayCheck::Reachable, {}};
        const std::string& name = asked.front() == "xcb" ? x : wayland;
        return {name.empty() ? DisplayCheck::NotSet : DisplayCheck::Unreachable, name};
    }
    if (x.empty() && wayland.empty())
        return {DisplayCheck::NotSet, {}};
    const bool xUp = xAnswers();
    const bool waylandUp = waylandAnswers();
    if (xUp != waylandUp)
        setenv("QT_QPA_PLATFORM", xUp ? "xcb" : "wayland", 1);
    if (xUp || waylandUp)
        return {DisplayCheck::Reachable, {}};
    return {DisplayCheck::Unreachable, !x.empty() ? x : wayland};
}

} // namespace quib
