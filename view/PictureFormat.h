#pragma once

#include <string>

namespace quib {

// The kinds of picture file Quib writes.
enum class PictureFormat { Png, Svg, Pdf };

// The format a file name asks for by its extension, whatever its case; false
// when it names none of them.
bool PictureFormatOf(const std::string& path, PictureFormat& format);

} // namespace quib
