#pragma once

#include "Condition.h"
#include "LatticeDocument.h"
#include "ValueTransform.h"

#include <optional>
#include <vector>

namespace quib {

// A condition and the records of a document that it matches, as their
// sorted positions: computed in one pass when asked for after the
// condition, the document or the values shown changed, then stepped through
// by binary search, however far the next match lies.
class RecordMatches {
  public:
    explicit RecordMatches(const LatticeDocument& document) : m_document(document) {}

    void SetCondition(Condition condition);
    bool HasCondition() const { return m_condition.has_value(); }
    // The document's records changed: the matches are computed anew.
    void Invalidate() { m_current = false; }
    // Computes the matches on the values shown where they are not those of
    // the condition, the document and these values; nothing without a
    // condition.
    void Update(ValueTransform values);
    bool IsCurrent(ValueTransform values) const { return m_current && values == m_values; }

    // Of the last update.
    int Count() const { return static_cast<int>(m_positions.size()); }
    // The first matching position after `position`, or the last before it
    // (1-based); 0 when there is none.
    int After(int position) const;
    int Before(int position) const;

  private:
    const LatticeDocument& m_document;
    std::optional<Condition> m_condition;
    std::vector<int> m_positions; // ascending
    ValueTransform m_values = ValueTransform::Read;
    bool m_current = false;
};

} // namespace quib
