#pragma once

#include "DC.h"
#include "ValueTransform.h"

namespace quib {

// How a record is drawn: everything a picture shows besides the data. The
// window builds one from its view at each paint; exports, prints and the
// clipboard build their own.
struct PictureOptions {
    int record = 0;           // 0-based position in the primary dataset
    int scale = 4;            // 1 to 4
    bool highlight = false;   // minimal nodes with a heavy outline
    bool differences = false; // nodes that differ from the partner filled
    LOGFONT font{};           // labels, values and summary lines
    ValueTransform values = ValueTransform::Read;
};

} // namespace quib
