#include "ReferenceStatistics.h"

#include "LiteralPairing.h"
#include "LiteralTransform.h"
#include "NodeSets.h"
#include "ReferenceCondition.h"

#include <bit>
#include <optional>

using namespace quib;

namespace {

// A record's values as shown, nothing where a node has none: missing, not
// given by the file's dimension (values as read), or no record at all.
using Shown = std::array<std::optional<std::int64_t>, kNodeCount>;

Shown ShownValues(const CLatticeRecord* record, int dimension, ValueTransform transform) {
    Shown shown;
    for (int n = 0; record != nullptr && n < kNodeCount; ++n) {
        // A file of dimension D gives the last D nodes.
        const bool given = transform != ValueTransform::Read || n >= kNodeCount - dimension;
        std::int64_t value = 0;
        if (given && LiteralTransform(transform, record->m_nNodeValue, n, value))
            shown[n] = value;
    }
    return shown;
}

bool Positive(const std::optional<std::int64_t>& value) {
    return value && *value > 0;
}

// Positive, and no subset one variable smaller positive.
bool Minimal(const Shown& shown, int node) {
    if (!Positive(shown[node]))
        return false;
    for (int lower = 0; lower < kNodeCount; ++lower) {
        const VariableSet below = VariablesOf(lower), above = VariablesOf(node);
        if ((below & ~above) == 0 && std::popcount(above) == std::popcount(below) + 1 &&
            Positive(shown[lower]))
            return false;
    }
    return true;
}

void Take(ReferenceNodeFigures& figures, const std::optional<std::int64_t>& value, bool minimal) {
    figures.minimal += minimal;
    if (!value)
        return;
    figures.min = figures.count == 0 ? *value : std::min(figures.min, *value);
    figures.max = figures.count == 0 ? *value : std::max(figures.max, *value);
    ++figures.count;
    figures.sum += *value;
    figures.positive += *value > 0;
}

} // namespace

ReferenceStatisticsResult ReferenceStatistics(const LatticeDocument& document,
                                              ValueTransform transform, long long first,
                                              long long last, const std::string& condition) {
    const bool imported = document.m_nImportedDim > 0;
    const std::vector<int> partners =
        LiteralPairing(document.m_primaryRecords, document.m_importedRecords);
    const ReferenceConditionInput input = ReferenceConditionInputOf(document, transform);
    ReferenceStatisticsResult result;
    result.runs.resize(imported ? 3 : 1);
    for (int k = 0; k < document.m_primaryRecords.GetSize(); ++k) {
        if (k + 1 < first || k + 1 > last ||
            (!condition.empty() && ReferenceConditionValue(condition, input, k).value_or(0) == 0))
            continue;
        ++result.selected;
        const Shown values =
            ShownValues(&document.m_primaryRecords[k], document.m_nPrimaryDim, transform);
        const CLatticeRecord* partner =
            partners[k] == kNoPartner ? nullptr : &document.m_importedRecords[partners[k]];
        const Shown partnerValues = ShownValues(partner, document.m_nImportedDim, transform);
        for (int n = 0; n < kNodeCount; ++n) {
            Take(result.runs[0][n], values[n], Minimal(values, n));
            if (!imported)
                continue;
            Take(result.runs[1][n], partnerValues[n], Minimal(partnerValues, n));
            std::optional<std::int64_t> difference;
            if (values[n] && partnerValues[n])
                difference = *partnerValues[n] - *values[n];
            Take(result.runs[2][n], difference, false);
        }
    }
    return result;
}
