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
    if (!quib::PairRecordsByNumber(m_primaryRecords, m_importedRecords, m_partners))
        return false;
    CountUnpaired();
    return true;
}

void LatticeDocument::CountUnpaired() {
    const auto paired = std::count_if(m_partners.begin(), m_partners.end(),
                                      [](int partner) { return partner != quib::kNoPartner; });
    m_unpaired = m_importedRecords.GetSize() - int(paired);
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

std::error_code LatticeDocument::ReloadDataFiles(const std::string& path,
                                                 const std::vector<std::string>& importPaths,
                                                 std::string& failedPath) {
    int primaryDim = -1;
    CLatticeRecordArray primary;
    int importedDim = -1;
    CLatticeRecordArray imported;
    std::vector<int> partners;
    std::error_code error = ReadDataFile(path, primaryDim, primary);
    failedPath = path;
    for (std::size_t k = 0; !error && k < importPaths.size(); ++k) {
        error = ReadDataFile(importPaths[k], importedDim, imported);
        failedPath = importPaths[k];
    }
    if (!error && !importPaths.empty() && !quib::PairRecordsByNumber(primary, imported, partners))
        error = std::make_error_code(std::errc::not_enough_memory);
    if (error)
        return error;
    failedPath.clear();
    m_nPrimaryDim = primaryDim;
    m_primaryRecords.Swap(primary);
    m_nImportedDim = importedDim;
    m_importedRecords.Swap(imported);
    m_partners.swap(partners);
    CountUnpaired();
    return {};
}
