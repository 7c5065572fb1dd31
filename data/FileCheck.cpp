#include "FileCheck.h"

#include "NumberScan.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <unordered_map>

namespace quib {

namespace {

using namespace number_scan;

// One whitespace-separated token of a line.
struct Token {
    std::string_view text;
    bool givesValue = false; // begins with an optional sign and a digit
    bool partial = false;    // more follows its digits
    bool saturated = false;  // its integer does not fit in 32 bits
    std::int32_t value = 0;
};

// The integer at the start of `text`, as the reader takes it: an optional
// sign directly followed by digits; false when there is none. `length`
// tells how many characters it took.
bool LeadingInteger(std::string_view text, std::int32_t& value, bool& saturated,
                    std::size_t& length) {
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    const char* p = begin;
    const bool negative = p < end && *p == '-';
    if (p < end && (negative || *p == '+'))
        ++p;
    if (p == end || !IsDigit(Byte(*p)))
        return false;
    // Once past what 32 bits hold with either sign, the magnitude only has
    // to stay past it.
    std::int64_t magnitude = 0;
    for (; p < end && IsDigit(Byte(*p)); ++p)
        if (magnitude <= INT64_C(1) << 31)
            magnitude = magnitude * 10 + (*p - '0');
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    value = Saturate(signedValue);
    saturated = value != signedValue;
    length = std::size_t(p - begin);
    return true;
}

std::string_view SkipSpace(std::string_view text) {
    std::size_t k = 0;
    while (k < text.size() && IsSpace(Byte(text[k])))
        ++k;
    return text.substr(k);
}

Token ReadToken(std::string_view text) {
    Token token{text};
    std::size_t length = 0;
    token.givesValue = LeadingInteger(text, token.value, token.saturated, length);
    token.partial = token.givesValue && length < text.size();
    return token;
}

// "1 value", "3 values".
std::string Count(long long count, const char* noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

// A token as a finding shows it: its first 40 bytes, each outside printable
// ASCII as \xHH, so that a binary file prints no control bytes.
std::string Quoted(std::string_view text) {
    constexpr std::size_t kLongest = 40;
    constexpr char kHex[] = "0123456789abcdef";
    std::string quoted = "'";
    for (const char c : text.substr(0, kLongest)) {
        const Byte byte = Byte(c);
        if (byte >= 0x20 && byte < 0x7f)
            quoted += c;
        else
            quoted += {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xf]};
    }
    return quoted + (text.size() > kLongest ? "...'" : "'");
}

class Checker {
  public:
    explicit Checker(std::vector<Finding>& findings) : m_findings(findings) {}

    void Line(const LineReading& reading) {
        const std::string_view line(reading.begin, std::size_t(reading.end - reading.begin));
        if (reading.line == 1)
            FirstLine(reading, line);
        switch (reading.kind) {
        case LineReading::Kind::Dimension:
            DimensionLine(reading, line);
            break;
        case LineReading::Kind::End:
        case LineReading::Kind::Empty:
            m_stop = reading;
            break;
        case LineReading::Kind::Record:
            RecordLine(reading, line);
            break;
        case LineReading::Kind::Unread:
            Add(reading.line, "unread",
                "reading stopped at the " +
                    std::string(m_stop.kind == LineReading::Kind::End ? "end line" : "empty line") +
                    " on line " + std::to_string(m_stop.line) +
                    ": this line and all after it are never read");
            break;
        case LineReading::Kind::Section:
            break;
        }
    }

    void Finish() {
        if (m_records == 0)
            Add(1, "empty", "the file gives no record");
        if (m_numbered)
            for (const Unnumbered& line : m_unnumbered)
                Add(line.line, "unnumbered",
                    "this line gives record " + std::to_string(line.number) +
                        " without a number in parentheses, while other records have one",
                    line.record);
        std::stable_sort(m_findings.begin(), m_findings.end(),
                         [](const Finding& a, const Finding& b) { return a.line < b.line; });
    }

  private:
    // What the first line tells of the whole file: a file written for
    // another system reads as no record, or as records of stray bytes.
    void FirstLine(const LineReading& reading, std::string_view line) {
        // Without any LF the first line is the whole file.
        if (!reading.ended && line.find('\r') != std::string_view::npos)
            Add(1, "line-ends",
                "the lines end in CR alone, which ends no line here: the whole file reads as "
                "one line");
        if (line.starts_with("\xff\xfe") || line.starts_with("\xfe\xff"))
            Add(1, "encoding",
                "the file begins with a UTF-16 byte order mark: its text reads as bytes with "
                "NUL between them");
    }

    // The record of a line is the one it gives or, before it is known to
    // give one, the next to be read: the same position.
    void Add(long long line, const char* kind, std::string explanation) {
        Add(line, kind, std::move(explanation), int(m_records));
    }
    void Add(long long line, const char* kind, std::string explanation, int record) {
        m_findings.push_back({line, kind, std::move(explanation), record});
    }

    void DimensionLine(const LineReading& reading, std::string_view line) {
        const std::size_t equals = line.find('=');
        std::int32_t value;
        bool saturated = false;
        std::size_t length;
        if (equals != std::string_view::npos &&
            LeadingInteger(SkipSpace(line.substr(equals + 1)), value, saturated, length) &&
            saturated)
            Add(reading.line, "saturated",
                "the dimension does not fit in 32 bits and reads as " + std::to_string(value));
        if (reading.dimension != 26 && reading.dimension != 32)
            Add(reading.line, "dimension",
                "the dimension is " + std::to_string(reading.dimension) +
                    " from here on; a record of a correct file has 26 or 32 values");
    }

    void RecordLine(const LineReading& reading, std::string_view line) {
        const bool numbered = !line.empty() && line[0] == '(';
        if (numbered) {
            std::int32_t number;
            bool saturated = false;
            std::size_t length;
            if (line.find(')', 1) == std::string_view::npos) {
                Add(reading.line, "bracket", "'(' with no ')' after it: the line gives no record");
            } else if (!LeadingInteger(SkipSpace(line.substr(1)), number, saturated, length)) {
                Add(reading.line, "bracket",
                    "no record number after '(': the record is numbered by its position");
            } else if (saturated && reading.gaveRecord) {
                Add(reading.line, "saturated",
                    "the record number does not fit in 32 bits and reads as " +
                        std::to_string(number));
            }
        }
        if (!reading.gaveRecord)
            return;
        m_numbered = m_numbered || numbered;
        if (!numbered)
            m_unnumbered.push_back({reading.line, reading.recordNumber, int(m_records)});
        const auto [earlier, fresh] = m_lineOfNumber.emplace(reading.recordNumber, reading.line);
        if (!fresh)
            Add(reading.line, "duplicate",
                "record number " + std::to_string(reading.recordNumber) +
                    " was given before, on line " + std::to_string(earlier->second));
        ValueTokens(reading,
                    std::string_view(reading.values, std::size_t(reading.end - reading.values)));
        ++m_records;
    }

    // One pass over the tokens: a token that gives no value waits until it
    // is known whether a value follows it.
    void ValueTokens(const LineReading& reading, std::string_view text) {
        int values = 0;
        m_skipped.clear();
        for (std::size_t k = 0; k < text.size();) {
            if (IsSpace(Byte(text[k]))) {
                ++k;
                continue;
            }
            std::size_t end = k + 1;
            while (end < text.size() && !IsSpace(Byte(text[end])))
                ++end;
            const Token token = ReadToken(text.substr(k, end - k));
            k = end;
            if (!token.givesValue) {
                m_skipped.push_back(token.text);
                continue;
            }
            if (!m_skipped.empty())
                SkippedTokens(reading.line, true);
            ++values;
            if (token.partial)
                Add(reading.line, "partial",
                    Quoted(token.text) + " is read as " + std::to_string(token.value));
            if (token.saturated)
                Add(reading.line, "saturated",
                    Quoted(token.text) + " does not fit in 32 bits and reads as " +
                        std::to_string(token.value));
        }
        SkippedTokens(reading.line, false);
        const int dimension = reading.dimension;
        if (dimension < 1 || dimension > 32 || values == dimension)
            return;
        const std::string record = "record " + std::to_string(reading.recordNumber) + " has " +
                                   Count(values, "value") + " where the dimension asks for " +
                                   std::to_string(dimension);
        if (values < dimension)
            Add(reading.line, "short",
                record + "; " + Count(dimension - values, "node") + " more read 0");
        else
            Add(reading.line, "long",
                record + "; " + Count(values - dimension, "value") + " past it are ignored");
    }

    void SkippedTokens(long long line, bool beforeValue) {
        for (const std::string_view text : m_skipped)
            Add(line, "skipped",
                Quoted(text) + " gives no value" +
                    (beforeValue ? "; the values after it land one node earlier" : ""));
        m_skipped.clear();
    }

    std::vector<Finding>& m_findings;
    std::vector<std::string_view> m_skipped;
    std::unordered_map<std::int32_t, long long> m_lineOfNumber;
    struct Unnumbered {
        long long line;
        std::int32_t number;
        int record;
    };
    std::vector<Unnumbered> m_unnumbered;
    LineReading m_stop;
    long long m_records = 0;
    bool m_numbered = false;
};

} // namespace

namespace {

template <class Read> std::error_code Check(std::vector<Finding>& findings, Read read) {
    findings.clear();
    Checker checker(findings);
    CLatticeRecordArray records;
    int dimension = -1;
    const std::error_code error =
        read(dimension, records, [&checker](const LineReading& reading) { checker.Line(reading); });
    if (!error)
        checker.Finish();
    else
        findings.clear();
    return error;
}

} // namespace

std::error_code CheckDataFile(const std::string& path, std::vector<Finding>& findings) {
    return Check(findings, [&path](int& dimension, CLatticeRecordArray& records,
                                   const LineObserver& observe) {
        return ReadLatticeFile(path, dimension, records, {}, observe);
    });
}

std::error_code CheckDataDescriptor(int fd, std::vector<Finding>& findings,
                                    std::size_t chunkBytes) {
    return Check(findings, [fd, chunkBytes](int& dimension, CLatticeRecordArray& records,
                                            const LineObserver& observe) {
        return ReadLatticeDescriptor(fd, dimension, records, {}, chunkBytes, &observe);
    });
}

} // namespace quib
