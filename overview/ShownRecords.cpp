#include "ShownRecords.h"

namespace quib {

namespace {

NodeMask AbsentNodes(ValueTransform transform, int dimension) {
    return transform == ValueTransform::Read ? ~CarriedNodes(dimension) : 0;
}

} // namespace

ShownRecords::ShownRecords(const LatticeDocument& document, ValueTransform transform)
    : m_document(document), m_transform(transform),
      m_primaryAbsent(AbsentNodes(transform, document.m_nPrimaryDim)),
      m_importedAbsent(AbsentNodes(transform, document.m_nImportedDim)) {}

NodeMask ShownRecords::Transformed(const std::int32_t read[kNodeCount],
                                   std::int64_t shown[kNodeCount], NodeMask absent) const {
    return TransformValues(m_transform, read, shown) | absent;
}

NodeMask ShownRecords::Primary(int index, std::int64_t shown[kNodeCount]) const {
    return Transformed(m_document.m_primaryRecords[index].m_nNodeValue, shown, m_primaryAbsent);
}

NodeMask ShownRecords::Partner(int index, std::int64_t shown[kNodeCount]) const {
    const int partner = m_document.ImportedPartner(index);
    if (partner == kNoPartner)
        return kAllNodes;
    return Transformed(m_document.m_importedRecords[partner].m_nNodeValue, shown, m_importedAbsent);
}

NodeMask ShownRecords::Absent(OverviewMode mode) const {
    switch (mode) {
    case OverviewMode::Primary:
        return m_primaryAbsent;
    case OverviewMode::Imported:
        return m_importedAbsent;
    case OverviewMode::Difference:
        break;
    }
    return m_primaryAbsent | m_importedAbsent;
}

NodeMask ShownRecords::Read(OverviewMode mode, int index, std::int64_t shown[kNodeCount]) const {
    switch (mode) {
    case OverviewMode::Primary:
        return Primary(index, shown);
    case OverviewMode::Imported:
        return Partner(index, shown);
    case OverviewMode::Difference:
        break;
    }
    const NodeMask partnerMissing = Partner(index, shown);
    if (partnerMissing == kAllNodes)
        return kAllNodes;
    std::int64_t primary[kNodeCount];
    const NodeMask missing = partnerMissing | Primary(index, primary);
    for (int n = 0; n < kNodeCount; ++n)
        shown[n] -= primary[n];
    return missing;
}

} // namespace quib
