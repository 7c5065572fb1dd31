#include "LatticeDocument.h"

#include <algorithm>

std::error_code LatticeDocument::ReadDataFile(const std::string& path, int& dimension,
                                              CLatticeRecordArray& records) {
    const ReaderWarning warn = [&](const char* message) {
        if (m_warningHook)
            m_warningHook(path, message);
    };
    return ReadLatticeFile(path, dimension, records, warn);
}

void LatticeDocument::ResetDatasets() {
    m_nPrimaryDim = -1;
    m_primaryRecords.RemoveAll();
    m_nImportedDim = -1;
    m_importedRecords.RemoveAll();
    m_partners.clear();
    m_unpaired = 0;
}

bool LatticeDocument::AlignImportedRecords() {
    if (!PairRecordsByNumber(m_primaryRecords, m_importedRecords, m_partners))
        return false;
    const auto paired = std::count_if(m_partners.begin(), m_partners.end(),
                                      [](int partner) { return partner != kNoPartner; });
    m_unpaired = m_importedRecords.GetSize() - int(paired);
    return true;
}

std::error_code LatticeDocument::OpenDataFile(const std::string& path) {
    ResetDatasets();
    return ReadDataFile(path, m_nPrimaryDim, m_primaryRecords);
}

std::error_code LatticeDocument::ImportDataFile(const std::string& path) {
    const int dimension = m_nImportedDim;
    const int count = m_importedRecords.GetSize();
    const std::error_code error = ReadDataFile(path, m_nImportedDim, m_importedRecords);
    if (AlignImportedRecords())
        return error;
    // The earlier pairs still hold for the records that were there before.
    m_nImportedDim = dimension;
    m_importedRecords.SetSize(count);
    return std::make_error_code(std::errc::not_enough_memory);
}
