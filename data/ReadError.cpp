#include "ReadError.h"

#include <string>

namespace quib {
namespace {

class ReadErrorCategoryImpl : public std::error_category {
  public:
    const char* name() const noexcept override { return "quib.read"; }

    std::string message(int value) const override {
        switch (static_cast<ReadError>(value)) {
        case ReadError::CompressedDataCorrupt:
            return "the compressed data is corrupt";
        case ReadError::CompressedDataCutShort:
            return "the compressed data is cut short";
        case ReadError::CompressedDataUnsupported:
            return "the compressed data uses options this program does not read";
        }
        return "unknown read error " + std::to_string(value);
    }
};

} // namespace

const std::error_category& ReadErrorCategory() {
    static const ReadErrorCategoryImpl category;
    return category;
}

} // namespace quib
