#include "SummaryRecord.h"

#include "LatticeDocument.h"

#include <algorithm>

SummaryLayout SummaryLayoutOf(const LatticeDocument& document, quib::ValueTransform transform,
                              bool highlight, bool differences) {
    SummaryLayout layout;
    layout.transform = transform;
    layout.imported = document.m_nImportedDim > 0;
    layout.highlight = highlight;
    layout.differences = differences && layout.imported;
    const bool transformed = layout.transform != quib::ValueTransform::Read;
    if (!transformed) {
        layout.carried = quib::CarriedNodes(document.m_nPrimaryDim);
        layout.partnerCarried = quib::CarriedNodes(document.m_nImportedDim);
    }
    layout.compared =
        quib::ComparedNodes(document.m_nPrimaryDim, document.m_nImportedDim, transformed);
    return layout;
}

void FillSummaryRecord(const LatticeDocument& document, const SummaryLayout& layout, int index,
                       SummaryRecord& record) {
    const CLatticeRecord& primary = document.m_primaryRecords[index];
    record.position = index + 1;
    record.number = primary.m_nRecordNumber;
    quib::TransformValues(layout.transform, primary.m_nNodeValue, record.values);
    if (layout.highlight)
        record.minimal = quib::MinimalNodes(record.values);
    if (!layout.imported)
        return;
    const int partner = document.ImportedPartner(index);
    record.paired = partner != kNoPartner;
    if (record.paired)
        quib::TransformValues(layout.transform, document.m_importedRecords[partner].m_nNodeValue,
                              record.partner);
    else
        std::fill(std::begin(record.partner), std::end(record.partner), NO_RECORD_VALUE);
    if (layout.highlight)
        record.partnerMinimal = quib::MinimalNodes(record.partner);
    record.differing = record.paired && layout.differences
                           ? quib::DifferingNodes(record.values, record.partner, layout.compared)
                           : 0;
}
