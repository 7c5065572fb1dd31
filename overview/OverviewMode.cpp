#include "OverviewMode.h"

#include <utility>

namespace quib {

bool OverviewModeOf(std::string_view word, OverviewMode& mode) {
    constexpr std::pair<std::string_view, OverviewMode> kWords[] = {
        {"primary", OverviewMode::Primary},
        {"imported", OverviewMode::Imported},
        {"difference", OverviewMode::Difference}};
    for (const auto& [name, value] : kWords) {
        if (word == name) {
            mode = value;
            return true;
        }
    }
    return false;
}

const char* OverviewModeTitle(OverviewMode mode) {
    switch (mode) {
    case OverviewMode::Primary:
        break;
    case OverviewMode::Imported:
        return "Imported run";
    case OverviewMode::Difference:
        return "Imported minus primary";
    }
    return "Primary run";
}

} // namespace quib
