#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

namespace quib {

// Receives a reader's warning together with the path being read.
using WarningHook = std::function<void(const std::string& path, const char* message)>;

// The reader's warnings of a read done apart from where they are shown (on
// another thread, or before its outcome is known), held to be told later. A
// run of the same warning is held once with its count: a file of a million
// wrong dimension lines costs no memory for them.
class HeldWarnings {
  public:
    // A hook that holds what it is told.
    WarningHook Hook();

    // Tells `hook` every warning held, in order; none for a read that was
    // cancelled: the user has turned from the file.
    void Tell(const WarningHook& hook, std::error_code readError) const;

  private:
    struct Held {
        std::string path;
        const char* message; // the reader's messages are literals
        std::size_t count;
    };
    std::vector<Held> m_held;
};

} // namespace quib
