#include "ReferenceCheck.h"

#include "ReferenceReader.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>
#include <map>

namespace {

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// "[sign]digits" at the start of `text`: its value, whether it did not fit
// in 32 bits, and what followed it.
struct Integer {
    bool found = false;
    std::int32_t value = 0;
    bool saturated = false;
    std::string rest;
};

Integer LeadingInteger(const std::string& text) {
    Integer out;
    std::size_t k = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    if (k >= text.size() || !IsDigit(text[k]))
        return out;
    out.found = true;
    long long value = 0;
    for (; k < text.size() && IsDigit(text[k]); ++k)
        value = std::min(value * 10 + (text[k] - '0'), 1LL << 40);
    if (text[0] == '-')
        value = -value;
    out.saturated = value < INT_MIN || value > INT_MAX;
    out.value = std::int32_t(std::clamp(value, (long long)INT_MIN, (long long)INT_MAX));
    out.rest = text.substr(k);
    return out;
}

std::string TrimmedStart(const std::string& text) {
    std::size_t k = 0;
    while (k < text.size() && IsBlank(text[k]))
        ++k;
    return text.substr(k);
}

std::vector<std::string> Split(const std::string& bytes, char separator) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : bytes) {
        part += c;
        if (c == separator) {
            parts.push_back(part);
            part.clear();
        }
    }
    if (!part.empty())
        parts.push_back(part);
    return parts;
}

std::vector<std::string> Tokens(const std::string& text) {
    std::vector<std::string> tokens;
    std::string token;
    for (char c : text + " ") {
        if (!IsBlank(c)) {
            token += c;
        } else if (!token.empty()) {
            tokens.push_back(token);
            token.clear();
        }
    }
    return tokens;
}

} // namespace

std::vector<std::string> ReferenceCheck(const std::string& bytes) {
    std::vector<std::string> findings;
    int dimension = 26;
    bool stopped = false;
    int records = 0;
    bool anyNumbered = false;
    std::vector<long long> unnumbered;
    std::map<std::int32_t, bool> seen;
    long long lineNumber = 0;
    for (std::string line : Split(bytes, '\n')) {
        ++lineNumber;
        const auto add = [&](const char* kind) {
            findings.push_back(std::to_string(lineNumber) + " " + kind);
        };
        if (line.size() >= 2 && line.back() == '\n' && line[line.size() - 2] == '\r')
            line.erase(line.size() - 2, 1);
        if (stopped) {
            if (!std::all_of(line.begin(), line.end(), IsBlank)) {
                add("unread");
                break;
            }
            continue;
        }
        if (line.find("DIM") != std::string::npos) {
            const std::size_t equals = line.find('=');
            if (equals != std::string::npos) {
                const Integer value = LeadingInteger(TrimmedStart(line.substr(equals + 1)));
                if (value.found) {
                    dimension = value.value;
                    if (value.saturated)
                        add("saturated");
                }
            }
            if (dimension != 26 && dimension != 32)
                add("dimension");
            continue;
        }
        if (line.find("CONV_SECTION\n") != std::string::npos)
            continue;
        if (line == "END\n" || line == "\n") {
            stopped = true;
            continue;
        }
        // A record line: its record number, then its value tokens.
        std::string values = line;
        std::int32_t number = records + 1;
        bool numberSaturated = false;
        const bool numbered = line[0] == '(';
        if (numbered) {
            const std::size_t close = line.find(')', 1);
            if (close == std::string::npos) {
                add("bracket");
                continue;
            }
            const std::string after = TrimmedStart(line.substr(1));
            const Integer found = LeadingInteger(after);
            if (found.found) {
                numberSaturated = found.saturated;
                number = found.value;
            } else {
                add("bracket");
            }
            values = line.substr(close + 1);
        }
        const std::vector<std::string> tokens = Tokens(values);
        int valueTokens = 0;
        for (const std::string& token : tokens)
            valueTokens += LeadingInteger(token).found;
        const int slots = std::clamp(dimension, 0, 32);
        if (std::min(valueTokens, slots) == 0)
            continue;
        ++records;
        anyNumbered = anyNumbered || numbered;
        if (!numbered)
            unnumbered.push_back(lineNumber);
        if (numberSaturated)
            add("saturated");
        if (seen[number])
            add("duplicate");
        seen[number] = true;
        for (const std::string& token : tokens) {
            const Integer value = LeadingInteger(token);
            if (!value.found)
                add("skipped");
            else if (!value.rest.empty())
                add("partial");
            if (value.found && value.saturated)
                add("saturated");
        }
        if (dimension >= 1 && dimension <= 32 && valueTokens < dimension)
            add("short");
        if (dimension >= 1 && dimension <= 32 && valueTokens > dimension)
            add("long");
    }
    if (records == 0)
        findings.push_back("1 empty");
    if (bytes.find('\r') != std::string::npos && bytes.find('\n') == std::string::npos)
        findings.push_back("1 line-ends");
    if (bytes.starts_with("\xff\xfe") || bytes.starts_with("\xfe\xff"))
        findings.push_back("1 encoding");
    if (anyNumbered)
        for (const long long line : unnumbered)
            findings.push_back(std::to_string(line) + " unnumbered");
    std::sort(findings.begin(), findings.end());
    return findings;
}
