#include "Arguments.h"

const char* const kUsageText = "usage: quib [FILE]\n"
                               "       quib --info FILE\n"
                               "       quib --summary [--highlight] [--import FILE2]... FILE\n"
                               "       quib --help | --version\n";

namespace {

ParsedArguments Refuse(std::string error) {
    ParsedArguments parsed;
    parsed.error = std::move(error);
    return parsed;
}

bool IsOption(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-';
}

} // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& args) {
    ParsedArguments parsed;
    Arguments& out = parsed.arguments;
    std::size_t k = 0;
    if (!args.empty()) {
        const std::string& first = args[0];
        if (first == "--help" || first == "-h")
            out.mode = Arguments::Mode::Help;
        else if (first == "--version")
            out.mode = Arguments::Mode::Version;
        else if (first == "--info")
            out.mode = Arguments::Mode::Info;
        else if (first == "--summary")
            out.mode = Arguments::Mode::Summary;
        if (out.mode != Arguments::Mode::Window)
            k = 1;
    }
    if (out.mode == Arguments::Mode::Help || out.mode == Arguments::Mode::Version) {
        if (args.size() > 1)
            return Refuse("unexpected argument '" + args[1] + "'");
        parsed.ok = true;
        return parsed;
    }

    bool onlyFiles = false;
    std::vector<std::string> files;
    for (; k < args.size(); ++k) {
        const std::string& arg = args[k];
        if (onlyFiles || !IsOption(arg)) {
            files.push_back(arg);
        } else if (arg == "--") {
            onlyFiles = true;
        } else if (out.mode == Arguments::Mode::Summary && arg == "--highlight") {
            out.highlight = true;
        } else if (out.mode == Arguments::Mode::Summary && arg == "--import") {
            if (k + 1 == args.size())
                return Refuse("option '--import' needs a file");
            out.imports.push_back(args[++k]);
        } else {
            return Refuse("unknown option '" + arg + "'");
        }
    }

    if (files.size() > 1)
        return Refuse("unexpected argument '" + files[1] + "'");
    if (files.empty() && out.mode != Arguments::Mode::Window)
        return Refuse("missing FILE");
    if (!files.empty())
        out.file = files[0];
    parsed.ok = true;
    return parsed;
}
