#include "SummaryText.h"

#include <charconv>

namespace {

void AppendInt(std::string& out, int value) {
    char digits[12];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

} // namespace

void AppendSummaryLine(std::string& out, const int* recordNumber,
                       const int values[quib::kNodeCount]) {
    out += "Record nr ";
    if (recordNumber != nullptr)
        AppendInt(out, *recordNumber);
    else
        out += '-';
    out += " <";
    for (int n = 0; n < quib::kNodeCount; ++n) {
        out += ' ';
        AppendInt(out, values[n]);
    }
    out += '>';
}

void AppendDifferingNodesLine(std::string& out, const int values[quib::kNodeCount],
                              const int* partner) {
    out += "Differing nodes:";
    if (partner == nullptr) {
        out += " -";
        return;
    }
    for (int n = 0; n < quib::kNodeCount; ++n) {
        if (values[n] != partner[n]) {
            out += ' ';
            out += DisplayLabel(n);
        }
    }
}

void AppendMinimalNodesLine(std::string& out, const int values[quib::kNodeCount]) {
    out += "Minimal nodes:";
    for (int n = 0; n < quib::kNodeCount; ++n) {
        if (IsMinimalNodeOf(values, n)) {
            out += ' ';
            out += DisplayLabel(n);
        }
    }
}
