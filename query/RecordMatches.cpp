#include "RecordMatches.h"

#include "ConditionScan.h"

#include <algorithm>

namespace quib {

RecordMatches::RecordMatches(const LatticeDocument& document, const Condition& condition,
                             ValueTransform values) {
    ConditionScan(document, values).MatchingPositions(condition, m_positions);
}

int RecordMatches::After(int position) const {
    const auto next = std::upper_bound(m_positions.begin(), m_positions.end(), position);
    return next == m_positions.end() ? 0 : *next;
}

int RecordMatches::Before(int position) const {
    const auto next = std::lower_bound(m_positions.begin(), m_positions.end(), position);
    return next == m_positions.begin() ? 0 : *(next - 1);
}

} // namespace quib
