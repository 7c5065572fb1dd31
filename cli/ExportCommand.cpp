#include "ExportCommand.h"

#include "DataCommands.h"
#include "FigureOutput.h"
#include "FindCommands.h"
#include "LatticeDocument.h"
#include "LatticePicture.h"
#include "PictureFile.h"
#include "RecordRange.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace quib {

namespace {

using Clock = std::chrono::steady_clock;

// The 0-based positions asked for, each clamped as Goto clamps it.
std::vector<int> Positions(const Arguments& arguments, int recordCount, std::FILE* err) {
    const PositionRange range = AskedPositions(arguments, recordCount, "writing", err);
    std::vector<int> positions;
    for (int position = range.first; position <= range.last; ++position)
        positions.push_back(position - 1);
    return positions;
}

// OUT with "%d" replaced by the 1-based position, zero-padded to the digits
// of the last position.
std::string NameFor(const std::string& pattern, int position, int lastPosition) {
    const std::size_t at = pattern.find("%d");
    std::string number = std::to_string(position);
    number.insert(0, std::to_string(lastPosition).size() - number.size(), '0');
    return pattern.substr(0, at) + number + pattern.substr(at + 2);
}

// A line on a terminal that tells how far a long export has come, from its
// second second on; cleared at the end.
class ProgressLine {
  public:
    ProgressLine(std::FILE* err, int total)
        : m_err(err), m_total(total), m_shown(isatty(fileno(err)) != 0) {}
    ~ProgressLine() {
        if (m_written)
            std::fputs("\r\033[K", m_err);
    }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void Done(int pages) {
        if (!m_shown || Clock::now() - m_start < std::chrono::seconds(1))
            return;
        std::fprintf(m_err, "\rquib: %d of %d pages", pages, m_total);
        std::fflush(m_err);
        m_written = true;
    }

  private:
    std::FILE* m_err;
    int m_total;
    bool m_shown;
    bool m_written = false;
    Clock::time_point m_start = Clock::now();
};

int Save(const LatticeDocument& document, const PictureOptions& options, const PictureJob& job,
         const std::string& output, const Arguments& arguments, std::FILE* err) {
    const std::error_code error =
        SavePictures(document, options, job, LocalPath(output), DataFilesOf(arguments));
    return error ? ReportCannotWrite(err, LocalPath(output), error) : 0;
}

// The 0-based positions that --find keeps of those asked for; `matches`
// 1-based and sorted.
std::vector<int> Matching(const std::vector<int>& positions, const std::vector<int>& matches) {
    std::vector<int> kept;
    for (const int position : positions)
        if (std::binary_search(matches.begin(), matches.end(), position + 1))
            kept.push_back(position);
    return kept;
}

} // namespace

int RunExport(const Arguments& arguments, std::FILE* err) {
    std::optional<Condition> condition;
    LatticeDocument document;
    if (const int status = LoadWithCondition(arguments, condition, document, err))
        return status;

    // A range of records has nothing to clamp to: no picture stands for it.
    if (arguments.recordRange && document.m_primaryRecords.GetSize() == 0) {
        std::fputs("quib: the file has no records\n", err);
        return kNothingFoundStatus;
    }

    const std::unique_ptr<QGuiApplication> application = StartOffscreenPainting();
    PictureOptions options;
    options.scale = arguments.scale;
    options.highlight = arguments.highlight;
    options.differences = arguments.differences;
    options.values = arguments.values;
    std::vector<int> positions = Positions(arguments, document.m_primaryRecords.GetSize(), err);
    // Names are numbered to the digits of the range's end, whatever matches.
    const int lastPosition = positions.back() + 1;
    if (condition) {
        positions = Matching(positions, FindMatches(document, *condition, arguments));
        if (positions.empty()) {
            std::fputs("quib: no record matches\n", err);
            return kNothingFoundStatus;
        }
    }
    ProgressLine progress(err, int(positions.size()));

    PictureJob job{arguments.format, arguments.dpi, positions, {}, arguments.size};
    if (arguments.format == PictureFormat::Pdf || !arguments.recordRange) {
        job.progress = [&progress](int pages) { progress.Done(pages); };
        return Save(document, options, job, arguments.output, arguments, err);
    }
    for (std::size_t k = 0; k < positions.size(); ++k) {
        job.records = {positions[k]};
        const std::string output = NameFor(arguments.output, positions[k] + 1, lastPosition);
        if (const int status = Save(document, options, job, output, arguments, err))
            return status;
        progress.Done(int(k + 1));
    }
    return 0;
}

} // namespace quib
