#include "LatticeDocument.h"

#include <cerrno>

int LatticeDocument::ReadDataFile(const std::string& path, int& dimension,
                                   CLatticeRecordArray& records) {
    const ReaderWarning warn = [&](const char* message) {
        if (m_warningHook)
            m_warningHook(path, message);
    };
    const ReadOutcome outcome = ReadLatticeFile(path, dimension, records, warn);
    if (!outcome.read) {
        errno = outcome.error;
        return 0;
    }
    return 1;
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

int LatticeDocument::OpenDataFile(const std::string& path) {
    ResetDatasets();
    return ReadDataFile(path, m_nPrimaryDim, m_primaryRecords);
}

int LatticeDocument::ImportDataFile(const std::string& path) {
    const int dimension = m_nImportedDim;
    const int count = m_importedRecords.GetSize();
    const int result = ReadDataFile(path, m_nImportedDim, m_importedRecords);
    const int error = errno;
    if (AlignImportedRecords()) {
        errno = error;
        return result;
    }
    // The earlier pairs still hold for the records that were there before.
    m_nImportedDim = dimension;
    m_importedRecords.SetSize(count);
    errno = ENOMEM;
    return 0;
}
