#include "UnpairedRecords.h"

#include "LatticeDocument.h"

namespace quib {

std::vector<int> UnpairedImportedRecords(const LatticeDocument& document) {
    std::vector<bool> taken(static_cast<std::size_t>(document.m_importedRecords.GetSize()));
    for (int k = 0; k < document.m_primaryRecords.GetSize(); ++k)
        if (const int partner = document.ImportedPartner(k); partner != kNoPartner)
            taken[static_cast<std::size_t>(partner)] = true;
    std::vector<int> unpaired;
    for (std::size_t k = 0; k < taken.size(); ++k)
        if (!taken[k])
            unpaired.push_back(static_cast<int>(k));
    return unpaired;
}

} // namespace quib
