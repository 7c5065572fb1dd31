#include "SummaryText.h"

#include <array>
#include <bit>
#include <cstring>

namespace quib {

namespace {

struct Label {
    char text[8];
    std::size_t length;
};

const std::array<Label, kNodeCount> kLabels = [] {
    std::array<Label, kNodeCount> labels{};
    for (int n = 0; n < kNodeCount; ++n) {
        labels[n].length = std::strlen(DisplayLabel(n));
        std::memcpy(labels[n].text, DisplayLabel(n), labels[n].length);
    }
    return labels;
}();

} // namespace

char* WriteSummaryLine(char* out, const int* recordNumber, ValueTransform transform,
                       const std::int64_t values[kNodeCount]) {
    out = WriteText(out, "Record nr ");
    if (recordNumber != nullptr)
        out = WriteInteger(out, *recordNumber);
    else
        *out++ = '-';
    out = WriteText(out, ValueTransformTitle(transform));
    out = WriteText(out, " <");
    for (int n = 0; n < kNodeCount; ++n) {
        *out++ = ' ';
        out = WriteInteger(out, values[n]);
    }
    *out++ = '>';
    return out;
}

char* WriteLabels(char* out, NodeMask nodes, std::string_view separator, bool quoted) {
    for (NodeMask rest = nodes; rest != 0; rest &= rest - 1) {
        if (rest != nodes)
            out = WriteText(out, separator);
        const Label& label = kLabels[std::countr_zero(rest)];
        *out = '"';
        out += quoted;
        std::memcpy(out, label.text, sizeof label.text);
        out += label.length;
        *out = '"';
        out += quoted;
    }
    return out;
}

char* WriteNodesLine(char* out, std::string_view heading, NodeMask nodes) {
    out = WriteText(out, heading);
    if (nodes != 0) {
        *out++ = ' ';
        out = WriteLabels(out, nodes, " ", false);
    }
    return out;
}

} // namespace quib

void AppendSummaryLine(std::string& out, const int* recordNumber,
                       const int values[quib::kNodeCount]) {
    std::int64_t shown[quib::kNodeCount];
    for (int n = 0; n < quib::kNodeCount; ++n)
        shown[n] = values[n];
    char line[quib::kSummaryLineBytes];
    out.append(line, quib::WriteSummaryLine(line, recordNumber, quib::ValueTransform::Read, shown));
}
