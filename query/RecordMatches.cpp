#include "RecordMatches.h"

#include "ConditionScan.h"

#include <algorithm>

namespace quib {

void RecordMatches::SetCondition(Condition condition) {
    m_condition = std::move(condition);
    m_current = false;
}

void RecordMatches::Update(ValueTransform values) {
    if (!m_condition || IsCurrent(values))
        return;
    ConditionScan(m_document, values).MatchingPositions(*m_condition, m_positions);
    m_values = values;
    m_current = true;
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
