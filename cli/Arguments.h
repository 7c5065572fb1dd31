#pragma once

#include "OverviewMode.h"
#include "PictureFormat.h"
#include "SummaryFormats.h"
#include "ValueTransform.h"

#include <string>
#include <vector>

namespace quib {

// What the command line asks for.
struct Arguments {
    enum class Mode {
        Window,
        Info,
        Summary,
        Statistics,
        Export,
        Overview,
        Check,
        Find,
        Unpaired,
        Help,
        Version
    };
    Mode mode = Mode::Window;
    std::string file; // empty in the window mode without a file
    std::vector<std::string> imports;
    bool highlight = false;
    bool differences = false;
    // The values the summary, the statistics and the picture show.
    ValueTransform values = ValueTransform::Read;
    // --format, of the summary and of the statistics.
    SummaryFormat summaryFormat = SummaryFormat::Text;
    // --find: the records whose condition holds (the mode itself, or a
    // filter of --summary, --statistics and --export --records). Parsed when
    // the mode runs, before any file is read.
    bool find = false;
    std::string condition;

    // The export mode's pictures and the overview mode's figure.
    std::string output;
    PictureFormat format = PictureFormat::Png;
    // 1-based positions, clamped when used: one record, or with --records a
    // range (every record for "all"); the export's, and the statistics' range.
    int record = 1;
    bool recordRange = false;
    bool allRecords = false;
    int lastRecord = 1;
    int scale = 4;
    int dpi = 96;
    // --size: the PNG fitted inside size by size pixels, FILE read only as
    // far as the record drawn; 0: drawn at dpi.
    int size = 0;

    // The overview mode's figure: what it shows, its size in pixels (points
    // in SVG and PDF).
    OverviewMode overviewMode = OverviewMode::Primary;
    int width = 1200;
    int height = 400;

    // Qt's own options (-platform, -style, ...), for the window.
    std::vector<std::string> qtOptions;
};

struct ParsedArguments {
    bool ok = false;
    Arguments arguments;
    std::string error; // why the arguments were refused
};

ParsedArguments ParseArguments(const std::vector<std::string>& args);

extern const char* const kUsageText;

// The resolutions a PNG can be drawn at.
inline constexpr int kMinimumDpi = 10;
inline constexpr int kMaximumDpi = 1200;

// The squares a picture can be fitted in (--size): from an icon's to four
// times the largest thumbnail's.
inline constexpr int kMinimumSize = 16;
inline constexpr int kMaximumSize = 4096;

} // namespace quib
