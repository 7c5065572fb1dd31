#include "Arguments.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <set>
#include <utility>

namespace quib {

const char* const kUsageText =
    "usage: quib [--import FILE2]... [FILE]\n"
    "       quib --info FILE\n"
    "       quib --summary [--format text|csv|json] [--values V] [--highlight]\n"
    "                     [--differences] [--find COND] [--import FILE2]... FILE\n"
    "       quib --statistics [--find COND] [--records A-B|all] [--values V]\n"
    "                        [--format text|csv|json] [--import FILE2]... FILE\n"
    "       quib --export OUT.png|OUT.svg|OUT.pdf [--record K | --records A-B|all]\n"
    "                    [--find COND] [--scale S] [--values V] [--highlight]\n"
    "                    [--differences] [--dpi N | --size N] [--import FILE2]... FILE\n"
    "       quib --overview OUT.png|OUT.svg|OUT.pdf [--mode primary|imported|difference]\n"
    "                      [--values V] [--width W] [--height H] [--import FILE2]... FILE\n"
    "       quib --find COND [--values V] [--import FILE2]... FILE\n"
    "       quib --unpaired --import FILE2... FILE\n"
    "       quib --check FILE\n"
    "       quib --help | --version\n"
    "V: read (the values as read, the default), mobius, subsets or supersets\n"
    "COND: a condition on a record, such as 'ab > imported.ab and not minimal(b)';\n"
    "      with --export and --statistics it picks among the --records\n"
    "--size N: a PNG thumbnail, the record fitted inside N by N pixels (16 to 4096),\n"
    "      FILE read only as far as that record\n";

namespace {

ParsedArguments Refuse(std::string error) {
    ParsedArguments parsed;
    parsed.error = std::move(error);
    return parsed;
}

bool IsOption(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-';
}

// A decimal integer, an optional sign and at least one digit; out of range
// saturates.
bool ParseInteger(const std::string& text, int& value) {
    if (text.empty())
        return false;
    std::size_t k = text[0] == '-' || text[0] == '+' ? 1 : 0;
    if (k == text.size())
        return false;
    long long magnitude = 0;
    for (; k < text.size(); ++k) {
        if (text[k] < '0' || text[k] > '9')
            return false;
        magnitude = std::min(magnitude * 10 + (text[k] - '0'), 1LL << 31);
    }
    const long long signedValue = text[0] == '-' ? -magnitude : magnitude;
    value = int(std::clamp<long long>(signedValue, INT_MIN, INT_MAX));
    return true;
}

// Qt's own options, which the window hands to Qt: those that take a value,
// and those that stand alone.
bool IsQtOptionWithValue(const std::string& arg) {
    static const char* const kOptions[] = {"-platform",        "-platformpluginpath",
                                           "-platformtheme",   "-plugin",
                                           "-style",           "-stylesheet",
                                           "-qwindowgeometry", "-geometry",
                                           "-qwindowtitle",    "-title",
                                           "-qwindowicon",     "-icon",
                                           "-display",         "-name",
                                           "-session"};
    return std::find(std::begin(kOptions), std::end(kOptions), arg) != std::end(kOptions);
}

bool IsQtFlag(const std::string& arg) {
    static const char* const kFlags[] = {"-reverse", "-widgetcount", "-nograb", "-dograb", "-sync"};
    const std::string name = arg.substr(0, arg.find('='));
    return std::find(std::begin(kFlags), std::end(kFlags), arg) != std::end(kFlags) ||
           (name != arg && IsQtOptionWithValue(name));
}

std::string GivenTwice(const std::string& option) {
    return option + " given twice";
}

// The mode that an option names when it comes first.
std::optional<Arguments::Mode> ModeOf(const std::string& arg) {
    using Mode = Arguments::Mode;
    static const std::pair<const char*, Mode> kModes[] = {{"--help", Mode::Help},
                                                          {"-h", Mode::Help},
                                                          {"--version", Mode::Version},
                                                          {"--info", Mode::Info},
                                                          {"--summary", Mode::Summary},
                                                          {"--export", Mode::Export},
                                                          {"--overview", Mode::Overview},
                                                          {"--check", Mode::Check},
                                                          {"--find", Mode::Find},
                                                          {"--unpaired", Mode::Unpaired},
                                                          {"--statistics", Mode::Statistics}};
    for (const auto& [name, mode] : kModes)
        if (arg == name)
            return mode;
    return std::nullopt;
}

// "A-B" of two positions, A not above B, or "all".
bool ParseRange(const std::string& text, Arguments& out) {
    if (text == "all") {
        out.allRecords = true;
        return true;
    }
    const std::size_t dash = text.find('-', 1);
    return dash != std::string::npos && ParseInteger(text.substr(0, dash), out.record) &&
           ParseInteger(text.substr(dash + 1), out.lastRecord) && out.record <= out.lastRecord;
}

// The export mode's options that take a number or a range, and the
// statistics' --records; "" when accepted.
std::string ParseExportNumber(const std::string& option, const std::string& text, Arguments& out) {
    int value = 0;
    const bool isNumber = ParseInteger(text, value);
    if (option == "--records") {
        if (!ParseRange(text, out))
            return "records '" + text +
                   "' is not a range A-B of positions, A not above B, or 'all'";
        out.recordRange = true;
    } else if (option == "--record") {
        if (!isNumber)
            return "record '" + text + "' is not a number";
        out.record = value;
    } else if (option == "--scale") {
        if (!isNumber || value < 1 || value > 4)
            return "scale '" + text + "' is not 1, 2, 3 or 4";
        out.scale = value;
    } else if (option == "--size") {
        if (!isNumber || value < kMinimumSize || value > kMaximumSize)
            return "size '" + text + "' is not a number from " + std::to_string(kMinimumSize) +
                   " to " + std::to_string(kMaximumSize);
        out.size = value;
    } else {
        if (!isNumber || value < kMinimumDpi || value > kMaximumDpi)
            return "dpi '" + text + "' is not a number from " + std::to_string(kMinimumDpi) +
                   " to " + std::to_string(kMaximumDpi);
        out.dpi = value;
    }
    return {};
}

// --format, --values and --mode: a word of their own; "" when accepted.
std::string ParseWord(const std::string& option, const std::string* word, Arguments& out) {
    using Mode = Arguments::Mode;
    const bool writesTables = out.mode == Mode::Summary || out.mode == Mode::Statistics;
    if (option == "--format" && !writesTables)
        return "option '--format' is only for --summary and --statistics";
    if (option == "--values" && !writesTables && out.mode != Mode::Export &&
        out.mode != Mode::Overview && out.mode != Mode::Find)
        return "option '--values' is only for --summary, --statistics, --export, --find and "
               "--overview";
    if (option == "--mode" && out.mode != Mode::Overview)
        return "option '--mode' is only for --overview";
    const char* const choices = option == "--format"   ? "text, csv or json"
                                : option == "--values" ? "read, mobius, subsets or supersets"
                                                       : kOverviewModeWords;
    if (word == nullptr)
        return "option '" + option + "' needs " + choices;
    constexpr std::pair<const char*, SummaryFormat> kFormats[] = {
        {"text", SummaryFormat::Text}, {"csv", SummaryFormat::Csv}, {"json", SummaryFormat::Json}};
    bool known = false;
    if (option == "--format") {
        for (const auto& [name, format] : kFormats) {
            if (*word == name) {
                out.summaryFormat = format;
                known = true;
            }
        }
    } else if (option == "--values") {
        known = ValueTransformOf(*word, out.values);
    } else {
        known = OverviewModeOf(*word, out.overviewMode);
    }
    return known ? "" : "unknown " + option + " '" + *word + "': choose " + choices;
}

// --width and --height of the overview's figure; "" when accepted.
std::string ParseSide(const std::string& option, const std::string& text, Arguments& out) {
    int value = 0;
    const std::string name = option.substr(2);
    if (!ParseInteger(text, value) || value < 1 || value > kOverviewFigureMaxSide)
        return name + " '" + text + "' is not a number from 1 to " +
               std::to_string(kOverviewFigureMaxSide);
    (option == "--width" ? out.width : out.height) = value;
    return {};
}

} // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& args) {
    ParsedArguments parsed;
    Arguments& out = parsed.arguments;
    std::size_t k = 0;
    if (const std::optional<Arguments::Mode> mode = args.empty() ? std::nullopt : ModeOf(args[0])) {
        out.mode = *mode;
        k = 1;
    }
    if (out.mode == Arguments::Mode::Help || out.mode == Arguments::Mode::Version) {
        if (args.size() > 1)
            return Refuse(args[1] == args[0] ? GivenTwice(args[1])
                                             : "unexpected argument '" + args[1] + "'");
        parsed.ok = true;
        return parsed;
    }
    if (out.mode == Arguments::Mode::Export || out.mode == Arguments::Mode::Overview) {
        if (args.size() < 2)
            return Refuse("option '" + args[0] + "' needs an output file");
        out.output = args[1];
        if (!PictureFormatOf(out.output, out.format))
            return Refuse("cannot tell the picture format of '" + out.output +
                          "': use .png, .svg or .pdf");
        k = 2;
    }
    if (out.mode == Arguments::Mode::Find) {
        if (args.size() < 2)
            return Refuse("option '--find' needs a condition");
        out.find = true;
        out.condition = args[1];
        k = 2;
    }

    const bool takesImports =
        out.mode != Arguments::Mode::Info && out.mode != Arguments::Mode::Check;
    // The summary and the export mark nodes and pick records; the statistics
    // pick records.
    const bool marksNodes =
        out.mode == Arguments::Mode::Summary || out.mode == Arguments::Mode::Export;
    const bool picksRecords = marksNodes || out.mode == Arguments::Mode::Statistics;
    // Every option but --import, and Qt's, is given once.
    std::set<std::string> given = {k > 0 ? args[0] : std::string()};
    bool onlyFiles = false;
    std::vector<std::string> files;
    for (; k < args.size(); ++k) {
        const std::string& arg = args[k];
        if (onlyFiles || !IsOption(arg)) {
            files.push_back(arg);
        } else if (arg == "--") {
            onlyFiles = true;
        } else if (out.mode == Arguments::Mode::Window && IsQtOptionWithValue(arg)) {
            if (k + 1 == args.size())
                return Refuse("option '" + arg + "' needs a value");
            out.qtOptions.push_back(arg);
            out.qtOptions.push_back(args[++k]);
        } else if (out.mode == Arguments::Mode::Window && IsQtFlag(arg)) {
            out.qtOptions.push_back(arg);
        } else if (arg != "--import" && !given.insert(arg).second) {
            return Refuse(GivenTwice(arg));
        } else if (marksNodes && arg == "--highlight") {
            out.highlight = true;
        } else if (marksNodes && arg == "--differences") {
            out.differences = true;
        } else if (arg == "--find") {
            if (!picksRecords && out.mode != Arguments::Mode::Find)
                return Refuse("option '--find' is only for --summary, --statistics and --export");
            if (k + 1 == args.size())
                return Refuse("option '--find' needs a condition");
            out.find = true;
            out.condition = args[++k];
        } else if (takesImports && arg == "--import") {
            if (k + 1 == args.size() || args[k + 1].empty())
                return Refuse("option '--import' needs a file");
            out.imports.push_back(args[++k]);
        } else if (arg == "--format" || arg == "--values" || arg == "--mode") {
            const std::string error =
                ParseWord(arg, k + 1 < args.size() ? &args[++k] : nullptr, out);
            if (!error.empty())
                return Refuse(error);
        } else if ((out.mode == Arguments::Mode::Export &&
                    (arg == "--record" || arg == "--records" || arg == "--scale" ||
                     arg == "--dpi" || arg == "--size")) ||
                   (out.mode == Arguments::Mode::Statistics && arg == "--records")) {
            if (k + 1 == args.size())
                return Refuse("option '" + arg + "' needs " +
                              (arg == "--records" ? "a range" : "a number"));
            if (given.count("--record") + given.count("--records") > 1)
                return Refuse("give one of '--record' and '--records'");
            const std::string error = ParseExportNumber(arg, args[++k], out);
            if (!error.empty())
                return Refuse(error);
        } else if (out.mode == Arguments::Mode::Overview &&
                   (arg == "--width" || arg == "--height")) {
            if (k + 1 == args.size())
                return Refuse("option '" + arg + "' needs a number");
            const std::string error = ParseSide(arg, args[++k], out);
            if (!error.empty())
                return Refuse(error);
        } else if (ModeOf(arg)) {
            return Refuse(out.mode == Arguments::Mode::Window
                              ? "option '" + arg + "' must come first"
                              : "options '" + args[0] + "' and '" + arg + "' do not go together");
        } else {
            return Refuse("unknown option '" + arg + "'");
        }
    }

    if (files.size() > 1)
        return Refuse("unexpected argument '" + files[1] + "'");
    if (!files.empty() && files[0].empty())
        return Refuse("FILE is an empty name");
    // --size draws one record into a thumbnail's pixels.
    if (out.size > 0 && out.format != PictureFormat::Png)
        return Refuse("option '--size' is only for a PNG");
    for (const char* other : {"--records", "--dpi"})
        if (out.size > 0 && given.count(other) > 0)
            return Refuse(std::string("options '--size' and '") + other + "' do not go together");
    // Reading stops at the record drawn, so a position before the first is
    // not clamped against a count that was never read.
    if (out.size > 0 && out.record < 1)
        return Refuse("option '--size' needs a --record of 1 or more");
    const bool severalRecords = out.recordRange && (out.allRecords || out.record < out.lastRecord);
    if (out.mode == Arguments::Mode::Export && severalRecords && out.format != PictureFormat::Pdf &&
        out.output.find("%d") == std::string::npos)
        return Refuse("several records need a PDF, or '%d' in the name of '" + out.output + "'");
    if (out.mode == Arguments::Mode::Overview && out.overviewMode != OverviewMode::Primary &&
        out.imports.empty())
        return Refuse(std::string("--mode ") +
                      (out.overviewMode == OverviewMode::Imported ? "imported" : "difference") +
                      " needs a run to compare: give --import FILE2");
    if (out.mode == Arguments::Mode::Export && out.find && !out.recordRange)
        return Refuse("option '--find' with --export needs --records");
    if (out.mode == Arguments::Mode::Unpaired && out.imports.empty())
        return Refuse("option '--unpaired' needs --import FILE2");
    if (out.mode == Arguments::Mode::Window && files.empty() && !out.imports.empty())
        return Refuse("imports need a FILE to import beside");
    if (files.empty() && out.mode != Arguments::Mode::Window)
        return Refuse("missing FILE");
    if (!files.empty())
        out.file = files[0];
    parsed.ok = true;
    return parsed;
}

} // namespace quib
