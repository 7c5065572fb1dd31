#include "LatticeDocument.h"

#include "ImportAlignment.h"

#include <cerrno>

int CLatticeDocument::ReadDataFile(const std::string& path, int& dimension,
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

void CLatticeDocument::ResetDatasets() {
    m_nPrimaryDim = -1;
    m_primaryRecords.RemoveAll();
    m_nImportedDim = -1;
    m_importedRecords.RemoveAll();
}

void CLatticeDocument::AlignImportedRecords() {
    AlignRecordsByNumber(m_primaryRecords, m_importedRecords);
}

int CLatticeDocument::OpenDataFile(const std::string& path) {
    ResetDatasets();
    return ReadDataFile(path, m_nPrimaryDim, m_primaryRecords);
}

int CLatticeDocument::ImportDataFile(const std::string& path) {
    const int result = ReadDataFile(path, m_nImportedDim, m_importedRecords);
    const int error = errno;
    AlignImportedRecords();
    errno = error;
    return result;
}
