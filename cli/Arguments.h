#pragma once

#include <string>
#include <vector>

// What the command line asks for.
struct Arguments {
    enum class Mode { Window, Info, Summary, Export, Help, Version };
    enum class Format { Png, Svg, Pdf };
    Mode mode = Mode::Window;
    std::string file; // empty in the window mode without a file
    std::vector<std::string> imports;
    bool highlight = false;

    // The export mode's picture.
    std::string output;
    Format format = Format::Png;
    int record = 1; // 1-based position, clamped when drawn
    int scale = 4;
    int dpi = 96;
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
