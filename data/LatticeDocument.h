#pragma once

#include "DataFileReader.h"
#include "LatticeRecordArray.h"

#include <functional>
#include <string>

// The document's data: the primary dataset and the imported one, each a
// dimension (-1: no data) beside its records, and what is done with them.
// Knows nothing of windows; the application's document builds on it.
class CLatticeDocument {
  public:
    CLatticeDocument() = default;
    CLatticeDocument(const CLatticeDocument&) = delete;
    CLatticeDocument& operator=(const CLatticeDocument&) = delete;

    int m_nPrimaryDim = -1;
    CLatticeRecordArray m_primaryRecords;
    int m_nImportedDim = -1;
    CLatticeRecordArray m_importedRecords;

    // A node value of a record; dataset 0 is the primary one, any other the
    // imported one. NO_RECORD_VALUE where no such record or node exists.
    int GetNodeValue(int recordIndex, int nodeNumber, int whichDataset) const {
        const CLatticeRecordArray& records =
            whichDataset == 0 ? m_primaryRecords : m_importedRecords;
        if (recordIndex < 0 || recordIndex >= records.GetSize() || nodeNumber < 0 ||
            nodeNumber >= NODE_COUNT)
            return NO_RECORD_VALUE;
        return records[recordIndex].m_nNodeValue[nodeNumber];
    }

    // Appends a file's records to a dataset: 1 when read, 0 when the file
    // cannot be opened or read, which leaves the dataset as it was and errno
    // telling why.
    int ReadDataFile(const std::string& path, int& dimension, CLatticeRecordArray& records);

    void ResetDatasets();
    void AlignImportedRecords();

    // File Open: both datasets reset, then the file read into the primary one.
    int OpenDataFile(const std::string& path);
    // File Import: the file appended to the imported dataset, then aligned.
    int ImportDataFile(const std::string& path);

    // Receives the reader's warning together with the path being read.
    using WarningHook = std::function<void(const std::string& path, const char* message)>;
    void SetWarningHook(WarningHook hook) { m_warningHook = std::move(hook); }

  private:
    WarningHook m_warningHook;
};
