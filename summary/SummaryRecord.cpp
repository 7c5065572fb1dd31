#include "SummaryRecord.h"

#include "LatticeDocument.h"

#include <algorithm>

namespace quib {

SummaryLayout SummaryLayoutOf(const LatticeDocument& document, ValueTransform transform,
                              bool highlight, bool differences) {
    SummaryLayout layout;
    layout.transform = transform;
    layout.imported = document.m_nImportedDim > 0;
    layout.highlight = highlight;
    layout.differences = differences && layout.imported;
    const bool transformed = layout.transform != ValueTransform::Read;
    if (!transformed) {
        layout.carried = CarriedNodes(document.m_nPrimaryDim);
        layout.partnerCarried = CarriedNodes(document.m_nImportedDim);
    }
    layout.compared = ComparedNodes(document.m_nPrimaryDim, document.m_nImportedDim, transformed);
    return layout;
}

void FillSummaryRecord(const LatticeDocument& document, const SummaryLayout& layout, int index,
                       SummaryRecord& record) {
    const CLatticeRecord& primary = document.m_primaryRecords[index];
    record.position = index + 1;
    record.number = primary.m_nRecordNumber;
    record.missing = TransformValues(layout.transform, primary.m_nNodeValue, record.values);
    if (layout.highlight)
        record.minimal = MinimalNodes(record.values);
    if (!layout.imported)
        return;
    const int partner = document.ImportedPartner(index);
    record.paired = partner != kNoPartner;
    if (record.paired) {
        record.partnerMissing = TransformValues(
            layout.transform, document.m_importedRecords[partner].m_nNodeValue, record.partner);
    } else {
        std::fill(std::begin(record.partner), std::end(record.partner), NO_RECORD_VALUE);
        record.partnerMissing = kAllNodes;
    }
    if (layout.highlight)
        record.partnerMinimal = MinimalNodes(record.partner);
    record.differing = record.paired && layout.differences
                           ? DifferingNodes(record.values, record.missing, record.partner,
                                            record.partnerMissing, layout.compared)
                           : 0;
}

} // namespace quib
