#include "RecordRange.h"

#include <algorithm>

namespace quib {

PositionRange AskedPositions(const Arguments& arguments, int recordCount, const char* doing,
                             std::FILE* err) {
    const long long last = std::max(recordCount, 1);
    if (arguments.allRecords)
        return {1, int(last)};
    const auto clamp = [last](long long position) { return int(std::clamp(position, 1LL, last)); };
    PositionRange range;
    range.first = clamp(arguments.record);
    range.last = arguments.recordRange ? clamp(arguments.lastRecord) : range.first;
    const bool moved = range.first != arguments.record ||
                       (arguments.recordRange && range.last != arguments.lastRecord);
    if (moved && recordCount > 0) {
        std::fprintf(err, "quib: the file has %d record%s; %s ", recordCount,
                     recordCount == 1 ? "" : "s", doing);
        if (range.first == range.last)
            std::fprintf(err, "record %d\n", range.first);
        else
            std::fprintf(err, "records %d to %d\n", range.first, range.last);
    }
    return range;
}

} // namespace quib
