#include "SummaryFormats.h"

namespace quib {

namespace {

char* WriteTextRecord(char* out, const SummaryLayout& layout, const SummaryRecord& record) {
    out = WriteSummaryLine(out, &record.number, layout.transform, record.values);
    *out++ = '\n';
    if (layout.highlight) {
        out = WriteNodesLine(out, "Minimal nodes:", record.minimal);
        *out++ = '\n';
    }
    if (!layout.imported)
        return out;
    out = WriteSummaryLine(out, &record.number, layout.transform, record.partner);
    *out++ = '\n';
    if (layout.highlight) {
        out = WriteNodesLine(out, "Minimal nodes:", record.partnerMinimal);
        *out++ = '\n';
    }
    if (layout.differences) {
        out = record.paired ? WriteNodesLine(out, "Differing nodes:", record.differing)
                            : WriteText(out, "Differing nodes: -");
        *out++ = '\n';
    }
    return out;
}

// A field per node, after a comma each: the value, or nothing where the
// node has none.
char* WriteCsvValues(char* out, const std::int64_t values[kNodeCount], NodeMask carried) {
    for (int n = 0; n < kNodeCount; ++n) {
        *out++ = ',';
        if (carried >> n & 1)
            out = WriteInteger(out, values[n]);
    }
    return out;
}

// Labels need no quotes: they hold no comma, quote or line break.
char* WriteCsvLabels(char* out, NodeMask nodes) {
    *out++ = ',';
    return WriteLabels(out, nodes, " ", false);
}

char* WriteCsvHeader(char* out, const SummaryLayout& layout) {
    out = WriteText(out, "position,number,");
    out = WriteLabels(out, kAllNodes, ",", false);
    for (int n = 0; layout.imported && n < kNodeCount; ++n) {
        out = WriteText(out, ",imported_");
        out = WriteLabels(out, NodeMask{1} << n, "", false);
    }
    if (layout.highlight)
        out = WriteText(out, layout.imported ? ",minimal,imported_minimal" : ",minimal");
    if (layout.differences)
        out = WriteText(out, ",differing");
    return WriteText(out, "\r\n");
}

// Without a partner every imported field is empty (its minimal and
// differing nodes are none).
char* WriteCsvRecord(char* out, const SummaryLayout& layout, const SummaryRecord& record) {
    out = WriteInteger(out, record.position);
    *out++ = ',';
    out = WriteInteger(out, record.number);
    out = WriteCsvValues(out, record.values, layout.carried);
    if (layout.imported)
        out = WriteCsvValues(out, record.partner, record.paired ? layout.partnerCarried : 0);
    if (layout.highlight) {
        out = WriteCsvLabels(out, record.minimal);
        if (layout.imported)
            out = WriteCsvLabels(out, record.partnerMinimal);
    }
    if (layout.differences)
        out = WriteCsvLabels(out, record.differing);
    return WriteText(out, "\r\n");
}

char* WriteJsonValues(char* out, const std::int64_t values[kNodeCount], NodeMask carried) {
    *out++ = '[';
    for (int n = 0; n < kNodeCount; ++n) {
        if (n > 0)
            out = WriteText(out, ", ");
        out = carried >> n & 1 ? WriteInteger(out, values[n]) : WriteText(out, "null");
    }
    *out++ = ']';
    return out;
}

// `, "key": ["ab", "c"]`, or `null` in place of the list where `present` is
// false.
char* WriteJsonLabels(char* out, const char* key, NodeMask nodes, bool present) {
    out = WriteText(out, key);
    if (!present)
        return WriteText(out, "null");
    *out++ = '[';
    out = WriteLabels(out, nodes, ", ", true);
    *out++ = ']';
    return out;
}

// The longest record of all: its numbers and keys, two lists of the widest
// values, three of every label.
static_assert(kSummaryRecordBytes >= 64 + 2 * (16 + 2 + kNodeCount * (kIntegerBytes + 2)) +
                                         3 * (24 + kLabelListBytes) + 2);

char* WriteJsonRecord(char* out, const SummaryLayout& layout, const SummaryRecord& record) {
    out = WriteText(out, "{\"position\": ");
    out = WriteInteger(out, record.position);
    out = WriteText(out, ", \"number\": ");
    out = WriteInteger(out, record.number);
    out = WriteText(out, ", \"values\": ");
    out = WriteJsonValues(out, record.values, layout.carried);
    if (layout.imported) {
        out = WriteText(out, ", \"imported\": ");
        out = record.paired ? WriteJsonValues(out, record.partner, layout.partnerCarried)
                            : WriteText(out, "null");
    }
    if (layout.highlight) {
        out = WriteJsonLabels(out, ", \"minimal\": ", record.minimal, true);
        if (layout.imported)
            out = WriteJsonLabels(out, ", \"imported_minimal\": ", record.partnerMinimal,
                                  record.paired);
    }
    if (layout.differences)
        out = WriteJsonLabels(out, ", \"differing\": ", record.differing, record.paired);
    return WriteText(out, "}\n");
}

} // namespace

char* WriteSummaryHeader(char* out, SummaryFormat format, const SummaryLayout& layout) {
    return format == SummaryFormat::Csv ? WriteCsvHeader(out, layout) : out;
}

char* WriteSummaryRecord(char* out, SummaryFormat format, const SummaryLayout& layout,
                         const SummaryRecord& record) {
    switch (format) {
    case SummaryFormat::Text:
        break;
    case SummaryFormat::Csv:
        return WriteCsvRecord(out, layout, record);
    case SummaryFormat::Json:
        return WriteJsonRecord(out, layout, record);
    }
    return WriteTextRecord(out, layout, record);
}

} // namespace quib
