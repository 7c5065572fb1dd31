#pragma once

#include "Condition.h"
#include "LatticeDocument.h"
#include "ValueTransform.h"

#include <algorithm>
#include <vector>

namespace quib {

// Conditions evaluated over a document's primary records, on the values as
// `transform` shows them. Each pass computes only what the condition reads
// (no values, no partner's or no previous record's when it reads none) and
// works in buffers of its own: nothing is allocated per record. Positions
// are 1-based. The document must outlive the scan and not change under it.
class ConditionScan {
  public:
    ConditionScan(const LatticeDocument& document, ValueTransform transform);

    // The positions of the records that match, in order (into `positions`,
    // whose storage is reused).
    void MatchingPositions(const Condition& condition, std::vector<int>& positions);
    int CountMatches(const Condition& condition);

    // The first matching position after `position`, or the last before it;
    // 0 when there is none. Any position may be given (0 for "before the
    // first", the record count plus 1 for "after the last").
    int NextMatch(const Condition& condition, int position);
    int PreviousMatch(const Condition& condition, int position);

    // Whether the record at `position` matches; false outside the records.
    bool MatchesAt(const Condition& condition, int position);

    // Calls `visit(position)` for each matching position from `first` to
    // `last` (clamped into the records), in order: one pass, for work that
    // goes on with the matches as they are found.
    template <class Visit>
    void ForEachMatch(const Condition& condition, int first, int last, Visit&& visit) {
        Begin(condition);
        const int end = std::min(last, RecordCount());
        for (int position = std::max(first, 1); position <= end; ++position)
            if (Matches(condition, position))
                visit(position);
    }

  private:
    // The values of one record and of its partner, as far as they are read,
    // each with the nodes whose values are missing.
    struct Slot {
        int position = 0; // 0: holds nothing
        bool hasPartner = false;
        std::int64_t values[kNodeCount];
        NodeMask missing = 0;
        std::int64_t partnerValues[kNodeCount];
        NodeMask partnerMissing = 0;
    };

    void Begin(const Condition& condition);
    const Slot& SlotFor(int position, int keep);
    void Load(Slot& slot, int position);
    bool Matches(const Condition& condition, int position);
    int RecordCount() const { return m_document.m_primaryRecords.GetSize(); }

    const LatticeDocument& m_document;
    ValueTransform m_transform;
    NodeMask m_compared;
    NodeMask m_carried;
    bool m_loadValues = false;
    bool m_loadPartnerValues = false;
    bool m_needsPrevious = false;
    // The current record and the one before it; a pass in either direction
    // finds the next one it needs already there.
    Slot m_slots[2];
};

} // namespace quib
