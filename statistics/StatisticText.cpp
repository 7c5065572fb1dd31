#include "StatisticText.h"

#include <charconv>

namespace quib {

namespace {

constexpr const char* kNames[kStatisticCount] = {"Mean", "Minimum", "Maximum", "Positive",
                                                 "Minimal"};

template <class Number, class... Format> std::string NumberText(Number number, Format... format) {
    char text[64];
    return {text, std::to_chars(text, text + sizeof text, number, format...).ptr};
}

} // namespace

const char* StatisticName(Statistic statistic) {
    return kNames[static_cast<int>(statistic)];
}

std::string StatisticText(const NodeStatistics& node, Statistic statistic, StatisticsRun run) {
    const bool present = node.count > 0;
    switch (statistic) {
    case Statistic::Mean:
        return present ? NumberText(node.Mean(), std::chars_format::fixed, 1) : "-";
    case Statistic::Minimum:
        return present ? NumberText(node.min) : "-";
    case Statistic::Maximum:
        return present ? NumberText(node.max) : "-";
    case Statistic::Positive:
        return NumberText(node.positive);
    case Statistic::Minimal:
        break;
    }
    return run == StatisticsRun::Difference ? "-" : NumberText(node.minimal);
}

} // namespace quib
