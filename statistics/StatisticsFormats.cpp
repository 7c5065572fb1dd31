#include "StatisticsFormats.h"

#include "SummaryText.h"

#include <charconv>
#include <string_view>

namespace quib {

namespace {

constexpr std::string_view kColumns[] = {"run", "node", "count",    "min",
                                         "max", "mean", "positive", "minimal"};

// How a format lays out the fields of one line.
struct LineStyle {
    std::string_view begin;
    std::string_view separator;
    std::string_view end;
    std::string_view absent;
    bool keyed; // JSON: each field after its key, words in quotes
};

constexpr LineStyle kText = {"", " ", "\n", "-", false};
constexpr LineStyle kCsv = {"", ",", "\r\n", "", false};
constexpr LineStyle kJson = {"{", ", ", "}\n", "null", true};

const LineStyle& StyleOf(SummaryFormat format) {
    switch (format) {
    case SummaryFormat::Text:
        break;
    case SummaryFormat::Csv:
        return kCsv;
    case SummaryFormat::Json:
        return kJson;
    }
    return kText;
}

// The fields of a line in the order of kColumns.
class LineWriter {
  public:
    LineWriter(char* out, const LineStyle& style) : m_out(out), m_style(style) {}

    void Word(std::string_view word) {
        Next();
        Quote();
        m_out = WriteText(m_out, word);
        Quote();
    }
    void Integer(std::int64_t value) {
        Next();
        m_out = WriteInteger(m_out, value);
    }
    // Three digits after the point, as "%.3f" writes.
    void Mean(double value) {
        Next();
        m_out = std::to_chars(m_out, m_out + kMeanBytes, value, std::chars_format::fixed, 3).ptr;
    }
    void Absent() {
        Next();
        m_out = WriteText(m_out, m_style.absent);
    }
    char* End() { return WriteText(m_out, m_style.end); }

  private:
    // A mean lies within the 64-bit integers: a sign, 19 digits, the point
    // and three more.
    static constexpr std::size_t kMeanBytes = 24;

    void Next() {
        m_out = WriteText(m_out, m_field == 0 ? m_style.begin : m_style.separator);
        if (m_style.keyed) {
            *m_out++ = '"';
            m_out = WriteText(m_out, kColumns[m_field]);
            m_out = WriteText(m_out, "\": ");
        }
        ++m_field;
    }
    void Quote() {
        if (m_style.keyed)
            *m_out++ = '"';
    }

    char* m_out;
    const LineStyle& m_style;
    int m_field = 0;
};

} // namespace

const char* StatisticsRunName(StatisticsRun run) {
    switch (run) {
    case StatisticsRun::Primary:
        break;
    case StatisticsRun::Imported:
        return "imported";
    case StatisticsRun::Difference:
        return "difference";
    }
    return "primary";
}

char* WriteStatisticsHeader(char* out, SummaryFormat format) {
    const LineStyle& style = StyleOf(format);
    if (style.keyed)
        return out;
    for (const std::string_view column : kColumns) {
        if (column != kColumns[0])
            out = WriteText(out, style.separator);
        out = WriteText(out, column);
    }
    return WriteText(out, style.end);
}

char* WriteStatisticsLine(char* out, SummaryFormat format, const RecordStatistics& statistics,
                          StatisticsRun run, int node) {
    const NodeStatistics& figures = statistics.At(run, node);
    LineWriter line(out, StyleOf(format));
    line.Word(StatisticsRunName(run));
    line.Word(DisplayLabel(node));
    line.Integer(figures.count);
    if (figures.count > 0) {
        line.Integer(figures.min);
        line.Integer(figures.max);
        line.Mean(figures.Mean());
    } else {
        line.Absent();
        line.Absent();
        line.Absent();
    }
    line.Integer(figures.positive);
    if (run == StatisticsRun::Difference)
        line.Absent();
    else
        line.Integer(figures.minimal);
    return line.End();
}

} // namespace quib
