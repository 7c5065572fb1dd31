#include "LatticeDocument.h"

#include <cerrno>

ReadOutcome LatticeDocument::ReadDataFile(const std::string& path, int& dimension,
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
}

bool LatticeDocument::AlignImportedRecords() {
    return PairRecordsByNumber(m_primaryRecords, m_importedRecords, m_partners);
}

ReadOutcome LatticeDocument::OpenDataFile(const std::string& path) {
    ResetDatasets();
    return ReadDataFile(path, m_nPrimaryDim, m_primaryRecords);
}

ReadOutcome LatticeDocument::ImportDataFile(const std::string& path) {
    const int dimension = m_nImportedDim;
    const int count = m_importedRecords.GetSize();
    const ReadOutcome outcome = ReadDataFile(path, m_nImportedDim, m_importedRecords);
    if (AlignImportedRecords())
        return outcome;
    // The earlier pairs still hold for the records that were there before.
    m_nImportedDim = dimension;
    m_importedRecords.SetSize(count);
    return {false, ENOMEM};
}
