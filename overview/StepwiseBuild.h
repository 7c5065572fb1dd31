#pragma once

#include "LatticeDocument.h"
#include "ShownRecords.h"
#include "ValueTransform.h"

#include <climits>
#include <utility>

// A whole-file result (an Overview, a NodeHistory) built a run of fine bins
// at a time, so that a window can answer its keys between steps. Nothing is
// copied: each step reads the document as it stands, and one whose primary
// records have changed in number since the start is not read again (the
// window rebuilds once the change is done).

namespace quib {

enum class BuildState { Reading, Done, Stale };

template <class Result> class StepwiseBuild {
  public:
    // Nothing read yet; `what` is the result's mode or node.
    template <class What>
    StepwiseBuild(const LatticeDocument& document, ValueTransform transform, What what)
        : m_document(document), m_shown(document, transform),
          m_result(m_shown, document.m_primaryRecords.GetSize(), transform, what) {}

    // Reads fine bins until at least `records` more records have been read,
    // or all of them.
    BuildState Step(int records) {
        if (m_state == BuildState::Reading &&
            m_document.m_primaryRecords.GetSize() != m_result.Records())
            m_state = BuildState::Stale;
        if (m_state != BuildState::Reading)
            return m_state;
        m_nextBin = m_result.ReadFineBins(m_shown, m_nextBin, records);
        if (m_nextBin == m_result.MostColumns())
            m_state = BuildState::Done;
        return m_state;
    }

    BuildState State() const { return m_state; }
    // Of the result's records, those read so far.
    int RecordsRead() const { return m_result.m_grid.FineStart(m_nextBin); }
    const Result& Built() const { return m_result; }

    // The whole result at once.
    Result Finish() && {
        Step(INT_MAX);
        return std::move(m_result);
    }

  private:
    const LatticeDocument& m_document;
    ShownRecords m_shown;
    Result m_result;
    int m_nextBin = 0;
    BuildState m_state = BuildState::Reading;
};

} // namespace quib
