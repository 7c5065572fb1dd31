#include "ConditionScan.h"

#include <algorithm>

namespace quib {

ConditionScan::ConditionScan(const LatticeDocument& document, ValueTransform transform)
    : m_document(document), m_transform(transform),
      m_compared(ComparedNodes(document.m_nPrimaryDim, document.m_nImportedDim,
                               transform != ValueTransform::Read)),
      m_carried(transform != ValueTransform::Read ? kAllNodes
                                                  : CarriedNodes(document.m_nPrimaryDim)) {}

void ConditionScan::Begin(const Condition& condition) {
    const ConditionReads& reads = condition.Reads();
    // A record is loaded once and serves as the current record, then as the
    // previous one (or the other way round going back).
    m_loadValues = reads.values || reads.previousValues;
    m_loadPartnerValues = reads.partnerValues || reads.previousPartnerValues;
    m_needsPrevious = reads.previousValues || reads.previousPartnerValues;
    for (Slot& slot : m_slots)
        slot.position = 0;
}

// The slot that holds `position`, loaded into the one that does not hold
// `keep` where neither holds it.
const ConditionScan::Slot& ConditionScan::SlotFor(int position, int keep) {
    for (const Slot& slot : m_slots)
        if (slot.position == position)
            return slot;
    Slot& slot = m_slots[0].position == keep ? m_slots[1] : m_slots[0];
    Load(slot, position);
    return slot;
}

void ConditionScan::Load(Slot& slot, int position) {
    const int index = position - 1;
    if (m_loadValues)
        slot.missing = TransformValues(m_transform, m_document.m_primaryRecords[index].m_nNodeValue,
                                       slot.values);
    const int partner = m_document.ImportedPartner(index);
    slot.hasPartner = partner != kNoPartner;
    if (slot.hasPartner && m_loadPartnerValues)
        slot.partnerMissing = TransformValues(
            m_transform, m_document.m_importedRecords[partner].m_nNodeValue, slot.partnerValues);
    slot.position = position;
}

bool ConditionScan::Matches(const Condition& condition, int position) {
    const Slot& current = SlotFor(position, position - 1);
    RecordContext context;
    context.position = position;
    context.number = m_document.m_primaryRecords[position - 1].m_nRecordNumber;
    context.values = current.values;
    context.missing = current.missing;
    // Where the partner's values are not read, only its presence counts.
    context.partner = current.hasPartner ? current.partnerValues : nullptr;
    context.partnerMissing = current.partnerMissing;
    context.compared = m_compared;
    context.carried = m_carried;
    if (m_needsPrevious && position > 1) {
        const Slot& previous = SlotFor(position - 1, position);
        context.previous = previous.values;
        context.previousMissing = previous.missing;
        context.previousPartner = previous.hasPartner ? previous.partnerValues : nullptr;
        context.previousPartnerMissing = previous.partnerMissing;
    }
    return condition.Matches(context);
}

void ConditionScan::MatchingPositions(const Condition& condition, std::vector<int>& positions) {
    positions.clear();
    ForEachMatch(condition, 1, RecordCount(),
                 [&positions](int position) { positions.push_back(position); });
}

int ConditionScan::CountMatches(const Condition& condition) {
    int count = 0;
    ForEachMatch(condition, 1, RecordCount(), [&count](int) { ++count; });
    return count;
}

int ConditionScan::NextMatch(const Condition& condition, int position) {
    Begin(condition);
    for (int p = std::max(position, 0) + 1; p <= RecordCount(); ++p)
        if (Matches(condition, p))
            return p;
    return 0;
}

int ConditionScan::PreviousMatch(const Condition& condition, int position) {
    Begin(condition);
    for (int p = std::min(position, RecordCount() + 1) - 1; p >= 1; --p)
        if (Matches(condition, p))
            return p;
    return 0;
}

bool ConditionScan::MatchesAt(const Condition& condition, int position) {
    Begin(condition);
    return position >= 1 && position <= RecordCount() && Matches(condition, position);
}

} // namespace quib
