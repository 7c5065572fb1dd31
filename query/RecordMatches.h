#pragma once

#include "Condition.h"
#include "LatticeDocument.h"
#include "ValueTransform.h"

#include <vector>

namespace quib {

// The records of a document that a condition matches on the values shown,
// as their sorted positions: found in one pass, then stepped through by
// binary search, however far the next match lies. A value: it keeps nothing
// of the document.
class RecordMatches {
  public:
    RecordMatches() = default;
    RecordMatches(const LatticeDocument& document, const Condition& condition,
                  ValueTransform values);

    int Count() const { return static_cast<int>(m_positions.size()); }
    // The first matching position after `position`, or the last before it
    // (1-based); 0 when there is none.
    int After(int position) const;
    int Before(int position) const;

  private:
    std::vector<int> m_positions; // ascending
};

} // namespace quib
