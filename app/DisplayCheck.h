#pragma once

#include <string>
#include <vector>

namespace quib {

// Whether the window has a display to open on, asked before Qt is: Qt ends
// the program with an abort where the display it picks does not answer.

enum class DisplayCheck {
    Reachable, // a display answers, or a platform that needs none was asked for
    NotSet,    // neither DISPLAY nor WAYLAND_DISPLAY names one
    Unreachable,
};

struct DisplayAnswer {
    DisplayCheck check = DisplayCheck::NotSet;
    std::string name; // the display that did not answer
};

// `qtOptions` are Qt's own options from the command line (-platform NAME).
// Where the environment names a display of each kind and only one answers,
// Qt is told to use that one.
DisplayAnswer CheckDisplay(const std::vector<std::string>& qtOptions);

} // namespace quib
