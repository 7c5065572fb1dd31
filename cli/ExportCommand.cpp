#include "ExportCommand.h"

#include "DataCommands.h"
#include "FigureOutput.h"
#include "LatticeDocument.h"
#include "LatticePicture.h"
#include "PictureFile.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The 0-based positions asked for, each clamped as Goto clamps it.
std::vector<int> Positions(const Arguments& arguments, int recordCount) {
    const long long last = std::max(recordCount - 1, 0);
    const auto clamp = [last](long long position) {
        return int(std::clamp(position - 1, 0LL, last));
    };
    const int first = arguments.allRecords ? 0 : clamp(arguments.record);
    const int end = arguments.allRecords    ? int(last)
                    : arguments.recordRange ? clamp(arguments.lastRecord)
                                            : first;
    std::vector<int> positions;
    for (int k = first; k <= end; ++k)
        positions.push_back(k);
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

int Save(const LatticeDocument& document, const quib::PictureOptions& options,
         const quib::PictureJob& job, const std::string& output, const Arguments& arguments,
         std::FILE* err) {
    const std::error_code error =
        quib::SavePictures(document, options, job, LocalPath(output), DataFilesOf(arguments));
    return error ? ReportCannotWrite(err, LocalPath(output), error) : 0;
}

} // namespace

int RunExport(const Arguments& arguments, std::FILE* err) {
    LatticeDocument document;
    if (!LoadDocument(document, arguments, err))
        return 1;

    const std::unique_ptr<QGuiApplication> application = StartOffscreenPainting();
    quib::PictureOptions options;
    options.scale = arguments.scale;
    options.highlight = arguments.highlight;
    options.differences = arguments.differences;
    options.values = arguments.values;
    const std::vector<int> positions = Positions(arguments, document.m_primaryRecords.GetSize());
    ProgressLine progress(err, int(positions.size()));

    quib::PictureJob job{arguments.format, arguments.dpi, positions, {}};
    if (arguments.format == PictureFormat::Pdf || !arguments.recordRange) {
        job.progress = [&progress](int pages) { progress.Done(pages); };
        return Save(document, options, job, arguments.output, arguments, err);
    }
    for (std::size_t k = 0; k < positions.size(); ++k) {
        job.records = {positions[k]};
        const std::string output =
            NameFor(arguments.output, positions[k] + 1, positions.back() + 1);
        if (const int status = Save(document, options, job, output, arguments, err))
            return status;
        progress.Done(int(k + 1));
    }
    return 0;
}
