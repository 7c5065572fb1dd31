#include "LiteralPairing.h"

#include "RecordPairing.h"

std::vector<int> LiteralPairing(const CLatticeRecordArray& primary,
                                const CLatticeRecordArray& imported) {
    std::vector<int> partners(static_cast<std::size_t>(primary.GetSize()), quib::kNoPartner);
    std::vector<bool> taken(static_cast<std::size_t>(imported.GetSize()), false);
    for (int i = 0; i < primary.GetSize(); ++i) {
        for (int j = 0; j < imported.GetSize(); ++j) {
            if (!taken[j] && imported[j].m_nRecordNumber == primary[i].m_nRecordNumber) {
                taken[j] = true;
                partners[i] = j;
                break;
            }
        }
    }
    return partners;
}
