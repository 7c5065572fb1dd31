#pragma once

#include "ReadProgress.h"

#include <functional>
#include <string>
#include <vector>

namespace quib {

// Where the window's reads of files run: off the thread that shows the
// document, each one's end handed back to that thread. A read is a function
// that reads (taking its progress) and returns what is left to do with what
// it read, which runs on the asking thread once the read is over.
class ReadRunner {
  public:
    using Finish = std::function<void()>;
    using Read = std::function<Finish(ReadProgress& progress)>;
    // A read the user asked for (Open, Import, Reload) takes the window's
    // reading commands while it runs; a read of Follow File runs unseen, and
    // one the user asks for may start beside it.
    enum class Kind { Asked, Following };

    virtual ~ReadRunner() = default;
    // Starts a read of `paths`; false, and nothing started, while a read the
    // user asked for runs (or, for a read of Follow File, another one).
    virtual bool Start(const std::vector<std::string>& paths, Read read, Kind kind) = 0;
    // Whether a read the user asked for runs.
    virtual bool Busy() const = 0;
    // Stops any read at its next chunk and waits for it; its end is not run.
    virtual void CancelAndWait() = 0;
};

// Reads in the calling thread before Start returns: for a document without a
// window, as in tests.
class InlineReadRunner final : public ReadRunner {
  public:
    bool Start(const std::vector<std::string>&, Read read, Kind) override {
        ReadProgress progress;
        if (const Finish finish = read(progress))
            finish();
        return true;
    }
    bool Busy() const override { return false; }
    void CancelAndWait() override {}
};

} // namespace quib
