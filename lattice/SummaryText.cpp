#include "SummaryText.h"

#include <algorithm>
#include <charconv>

namespace {

void AppendInt(std::string& out, std::int64_t value) {
    char digits[20];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

} // namespace

void AppendSummaryLine(std::string& out, const int* recordNumber,
                       const int values[quib::kNodeCount]) {
    std::int64_t wide[quib::kNodeCount];
    std::copy(values, values + quib::kNodeCount, wide);
    AppendSummaryLine(out, recordNumber, wide, quib::ValueTransform::Read);
}

void AppendSummaryLine(std::string& out, const int* recordNumber,
                       const std::int64_t values[quib::kNodeCount],
                       quib::ValueTransform transform) {
    out += "Record nr ";
    if (recordNumber != nullptr)
        AppendInt(out, *recordNumber);
    else
        out += '-';
    out += quib::ValueTransformTitle(transform);
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
