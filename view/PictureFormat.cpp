#include "PictureFormat.h"

#include <algorithm>
#include <cctype>

namespace quib {

bool PictureFormatOf(const std::string& path, PictureFormat& format) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos)
        return false;
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    if (extension == "png")
        format = PictureFormat::Png;
    else if (extension == "svg")
        format = PictureFormat::Svg;
    else if (extension == "pdf")
        format = PictureFormat::Pdf;
    else
        return false;
    return true;
}

} // namespace quib
