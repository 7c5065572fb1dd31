#pragma once

// A whole-file result (an Overview, a NodeHistory) of a document, rebuilt in
// slices on the GUI thread whenever asked (see SliceRunner); the last one
// built stays at hand meanwhile. A build that runs out of memory ends
// without a result.

#include "SliceRunner.h"
#include "StepwiseBuild.h"

#include <functional>
#include <new>
#include <optional>
#include <utility>

namespace quib {

template <class Result> class SlicedResult {
  public:
    // `built` is called as each result is complete.
    explicit SlicedResult(std::function<void()> built) : m_built(std::move(built)) {}

    // Builds anew from `document`, which outlives the build; a build whose
    // document changes under it starts over.
    template <class What>
    void Rebuild(const LatticeDocument& document, ValueTransform transform, What what) {
        m_failed = false;
        m_build.reset();
        m_runner.Start([this, &document, transform, what](int records) {
            try {
                if (!m_build)
                    m_build.emplace(document, transform, what);
                switch (m_build->Step(records)) {
                case BuildState::Reading:
                    return true;
                case BuildState::Stale:
                    m_build.reset();
                    return true;
                case BuildState::Done:
                    break;
                }
                m_result = std::move(*m_build).Finish();
            } catch (const std::bad_alloc&) {
                m_result.reset();
                m_failed = true;
            }
            m_build.reset();
            m_built();
            return false;
        });
    }

    // Forgets the result and stops any build.
    void Clear() {
        m_runner.Stop();
        m_build.reset();
        m_result.reset();
        m_failed = false;
    }

    // The last result built; null before the first, and after a build that
    // ran out of memory (Failed).
    const Result* Get() const { return m_result ? &*m_result : nullptr; }
    bool Failed() const { return m_failed; }
    bool Building() const { return m_runner.Running(); }
    // Of the build under way, the records read so far; 0 without one.
    int RecordsRead() const { return m_build ? m_build->RecordsRead() : 0; }

  private:
    SliceRunner m_runner;
    std::function<void()> m_built;
    std::optional<StepwiseBuild<Result>> m_build;
    std::optional<Result> m_result;
    bool m_failed = false;
};

} // namespace quib
