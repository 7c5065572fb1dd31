#include "ReferenceReader.h"

#include <cctype>
#include <climits>

namespace {

// Reads "[blanks][sign]digits" at pos like a saturating %d.
bool ReadInt(const std::string& line, std::size_t pos, std::int32_t& out) {
    while (pos < line.size() && IsBlank(line[pos]))
        ++pos;
    bool negative = false;
    if (pos < line.size() && (line[pos] == '+' || line[pos] == '-')) {
        negative = line[pos] == '-';
        ++pos;
    }
    if (pos >= line.size() || !std::isdigit(static_cast<unsigned char>(line[pos])))
        return false;
    long long value = 0;
    while (pos < line.size() && std::isdigit(static_cast<unsigned char>(line[pos]))) {
        value = value * 10 + (line[pos] - '0');
        if (value > 1LL << 40)
            value = 1LL << 40;
        ++pos;
    }
    if (negative)
        value = -value;
    out = static_cast<std::int32_t>(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
    return true;
}

std::vector<std::string> SplitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : bytes) {
        line += c;
        if (c == '\n') {
            if (line.size() >= 2 && line[line.size() - 2] == '\r')
                line.erase(line.size() - 2, 1);
            lines.push_back(line);
            line.clear();
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

} // namespace

ReferenceDataset ReferenceRead(const std::string& bytes, int existing) {
    ReferenceDataset out;
    int dimension = 26;
    int offset = 6;
    std::string previous;
    for (const std::string& line : SplitLines(bytes)) {
        if (previous == "\n" || previous == "END\n")
            break;
        previous = line;
        if (line.find("DIM") != std::string::npos) {
            const std::size_t equals = line.find('=');
            std::int32_t value;
            if (equals != std::string::npos && ReadInt(line, equals + 1, value))
                dimension = value;
            if (dimension != 26 && dimension != 32)
                ++out.warnings;
            offset = dimension > 32 ? 0 : dimension <= 0 ? 32 : 32 - dimension;
            continue;
        }
        if (line.find("CONV_SECTION\n") != std::string::npos)
            continue;
        if (line == "END\n")
            continue;

        ReferenceRecord record;
        std::size_t cursor = 0;
        const int size = existing + static_cast<int>(out.records.size());
        if (line[0] == '(') {
            const std::size_t close = line.find(')', 1);
            if (close == std::string::npos)
                continue;
            if (!ReadInt(line, 1, record.number))
                record.number = size + 1;
            cursor = close + 1;
        } else {
            record.number = size + 1;
        }
        int count = 0;
        while (cursor < line.size()) {
            std::int32_t value;
            if (ReadInt(line, cursor, value) && count < dimension && offset + count < 32) {
                record.values[offset + count] = value;
                ++count;
            }
            while (cursor < line.size() && IsBlank(line[cursor]))
                ++cursor;
            while (cursor < line.size() && !IsBlank(line[cursor]))
                ++cursor;
        }
        if (count > 0)
            out.records.push_back(record);
    }
    out.dimension = dimension;
    return out;
}
