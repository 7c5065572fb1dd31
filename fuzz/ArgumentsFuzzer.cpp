// The command line's parser on arbitrary argument vectors: it never fails
// in itself, and what it accepts is always something the modes can run.

#include "Arguments.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "the parser accepted %s\n", what);
    __builtin_trap();
}

} // namespace

// The input's NUL bytes separate the arguments.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args;
    std::string arg;
    for (std::size_t k = 0; k < size; ++k) {
        if (data[k] == 0) {
            args.push_back(arg);
            arg.clear();
        } else {
            arg += char(data[k]);
        }
    }
    if (!arg.empty())
        args.push_back(arg);

    const quib::ParsedArguments parsed = quib::ParseArguments(args);
    if (!parsed.ok) {
        if (parsed.error.empty())
            Fail("nothing, yet gave no reason");
        return 0;
    }
    const quib::Arguments& a = parsed.arguments;
    using Mode = quib::Arguments::Mode;
    const bool needsFile = a.mode == Mode::Info || a.mode == Mode::Summary ||
                           a.mode == Mode::Statistics || a.mode == Mode::Export ||
                           a.mode == Mode::Overview || a.mode == Mode::Check ||
                           a.mode == Mode::Find || a.mode == Mode::Unpaired;
    if (needsFile && a.file.empty())
        Fail("a mode without its FILE");
    if (a.mode == Mode::Window && a.file.empty() && !a.imports.empty())
        Fail("imports without a FILE");
    const bool writesTables = a.mode == Mode::Summary || a.mode == Mode::Statistics;
    if (a.summaryFormat != quib::SummaryFormat::Text && !writesTables)
        Fail("a format outside --summary and --statistics");
    if (a.values != quib::ValueTransform::Read && !writesTables && a.mode != Mode::Export &&
        a.mode != Mode::Overview && a.mode != Mode::Find)
        Fail("values for a mode that does not show them");
    for (const std::string& import : a.imports)
        if (import.empty())
            Fail("an empty import name");
    if ((a.highlight || a.differences) && a.mode != Mode::Summary && a.mode != Mode::Export)
        Fail("marks for a mode that draws no nodes");
    if ((a.mode == Mode::Find) != a.find && !writesTables && a.mode != Mode::Export)
        Fail("a condition for a mode that finds nothing, or --find without one");
    if (a.recordRange && a.mode != Mode::Export && a.mode != Mode::Statistics)
        Fail("a range of records for a mode that takes every record");
    if (a.recordRange && !a.allRecords && a.record > a.lastRecord)
        Fail("a range that runs backwards");
    if (a.mode == Mode::Export && a.find && !a.recordRange)
        Fail("a condition for a single picture");
    if (a.mode == Mode::Unpaired && a.imports.empty())
        Fail("--unpaired without an import");
    if (a.mode == Mode::Export || a.mode == Mode::Overview) {
        quib::PictureFormat format;
        if (!quib::PictureFormatOf(a.output, format) || format != a.format)
            Fail("a picture name without its format");
    }
    if (a.mode == Mode::Overview) {
        if (a.width < 1 || a.height < 1 || a.width > quib::kOverviewFigureMaxSide ||
            a.height > quib::kOverviewFigureMaxSide)
            Fail("a figure size out of range");
        if (a.overviewMode != quib::OverviewMode::Primary && a.imports.empty())
            Fail("an imported run to show without an import");
    } else if (a.overviewMode != quib::OverviewMode::Primary || a.width != 1200 ||
               a.height != 400) {
        Fail("a figure's options outside --overview");
    }
    if (a.mode == Mode::Export) {
        if (a.scale < 1 || a.scale > 4 || a.dpi < quib::kMinimumDpi || a.dpi > quib::kMaximumDpi)
            Fail("a scale or resolution out of range");
        if (a.recordRange && (a.allRecords || a.record < a.lastRecord) &&
            a.format != quib::PictureFormat::Pdf && a.output.find("%d") == std::string::npos)
            Fail("several pictures for one PNG or SVG name");
        if (a.size != 0 &&
            (a.size < quib::kMinimumSize || a.size > quib::kMaximumSize ||
             a.format != quib::PictureFormat::Png || a.recordRange || a.dpi != 96 || a.record < 1))
            Fail("a thumbnail out of range, not a PNG, of several records, at a resolution or "
                 "before the first record");
    } else if (a.size != 0) {
        Fail("a thumbnail outside --export");
    }
    return 0;
}
