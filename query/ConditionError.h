#pragma once

#include <cstddef>
#include <string>

namespace quib {

// Where a condition's text went wrong and what was expected or found there.
struct ConditionError {
    // 1-based; one past the last character when the condition ended too soon.
    std::size_t column = 0;
    std::string message;

    // "column 4: unknown name 'abf'"
    std::string Text() const { return "column " + std::to_string(column) + ": " + message; }
};

} // namespace quib
