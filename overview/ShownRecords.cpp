#include "ShownRecords.h"

#include <array>

namespace quib {

namespace {

struct Enclosures {
    std::array<NodeMask, kNodeCount> subsets{};   // the nodes below or at each node
    std::array<NodeMask, kNodeCount> supersets{}; // above or at
};

const Enclosures& EnclosuresOfNodes() {
    static const Enclosures enclosures = [] {
        Enclosures e;
        for (int n = 0; n < kNodeCount; ++n)
            for (int m = 0; m < kNodeCount; ++m) {
                if ((VariablesOf(m) & ~VariablesOf(n)) == 0)
                    e.subsets[n] |= NodeMask{1} << m;
                if ((VariablesOf(n) & ~VariablesOf(m)) == 0)
                    e.supersets[n] |= NodeMask{1} << m;
            }
        return e;
    }();
    return enclosures;
}

NodeMask AbsentNodes(ValueTransform transform, int dimension) {
    return transform == ValueTransform::Read ? ~CarriedNodes(dimension) : 0;
}

} // namespace

NodeMask MissingAfter(ValueTransform transform, NodeMask missingAsRead) {
    if (transform == ValueTransform::Read || missingAsRead == 0)
        return missingAsRead;
    const Enclosures& enclosures = EnclosuresOfNodes();
    const auto& entering =
        transform == ValueTransform::Supersets ? enclosures.supersets : enclosures.subsets;
    NodeMask missing = 0;
    for (int n = 0; n < kNodeCount; ++n)
        if ((entering[n] & missingAsRead) != 0)
            missing |= NodeMask{1} << n;
    return missing;
}

NodeMask MissingAsRead(const std::int32_t read[kNodeCount]) {
    NodeMask missing = 0;
    for (int n = 0; n < kNodeCount; ++n)
        missing |= NodeMask{IsMissing(read[n])} << n;
    return missing;
}

ShownRecords::ShownRecords(const LatticeDocument& document, ValueTransform transform)
    : m_document(document), m_transform(transform),
      m_primaryAbsent(AbsentNodes(transform, document.m_nPrimaryDim)),
      m_importedAbsent(AbsentNodes(transform, document.m_nImportedDim)) {
    EnclosuresOfNodes(); // built before any thread reads records
}

NodeMask ShownRecords::Transformed(const std::int32_t read[kNodeCount],
                                   std::int64_t shown[kNodeCount], NodeMask absent) const {
    TransformValues(m_transform, read, shown);
    return MissingAfter(m_transform, MissingAsRead(read)) | absent;
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
