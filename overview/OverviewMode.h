#pragma once

#include <string_view>

namespace quib {

// Which values of each primary record the overview shows.
enum class OverviewMode {
    Primary,   // its own
    Imported,  // its imported partner's; a record without one has none
    Difference // partner minus primary, both as shown, where both have one
};

// The words of the command line.
bool OverviewModeOf(std::string_view word, OverviewMode& mode);
inline constexpr const char* kOverviewModeWords = "primary, imported or difference";

// The longest side of a figure file, in pixels or points.
inline constexpr int kOverviewFigureMaxSide = 16384;

// How a figure names what it shows: "Primary run" and the like.
const char* OverviewModeTitle(OverviewMode mode);

} // namespace quib
