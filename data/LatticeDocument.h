#pragma once

#include "DataFileReader.h"
#include "HeldWarnings.h"
#include "LatticeRecordArray.h"
#include "ReadProgress.h"
#include "RecordPairing.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The document's data: the primary dataset and the imported one, each a
// dimension (-1: no data) beside its records, and what is done with them.
// Knows nothing of windows; the application's document builds on it.
class LatticeDocument {
  public:
    LatticeDocument() = default;
    LatticeDocument(const LatticeDocument&) = delete;
    LatticeDocument& operator=(const LatticeDocument&) = delete;

    int m_nPrimaryDim = -1;
    CLatticeRecordArray m_primaryRecords;
    int m_nImportedDim = -1;
    CLatticeRecordArray m_importedRecords;

    // A node value of a record; dataset 0 is the primary one, any other the
    // imported record paired with primary record `recordIndex`.
    // NO_RECORD_VALUE where no such record or node exists.
    int GetNodeValue(int recordIndex, int nodeNumber, int whichDataset) const {
        if (nodeNumber < 0 || nodeNumber >= quib::kNodeCount)
            return NO_RECORD_VALUE;
        if (whichDataset == 0)
            return recordIndex >= 0 && recordIndex < m_primaryRecords.GetSize()
                       ? m_primaryRecords[recordIndex].m_nNodeValue[nodeNumber]
                       : NO_RECORD_VALUE;
        const int partner = ImportedPartner(recordIndex);
        return partner != quib::kNoPartner ? m_importedRecords[partner].m_nNodeValue[nodeNumber]
                                           : NO_RECORD_VALUE;
    }

    // The index in m_importedRecords of primary record `primaryIndex`'s
    // partner, or kNoPartner.
    int ImportedPartner(int primaryIndex) const {
        if (primaryIndex < 0 || static_cast<std::size_t>(primaryIndex) >= m_partners.size())
            return quib::kNoPartner;
        const int partner = m_partners[static_cast<std::size_t>(primaryIndex)];
        return partner < m_importedRecords.GetSize() ? partner : quib::kNoPartner;
    }

    // How many imported records no primary record took as its partner.
    int UnpairedImportedCount() const { return m_unpaired; }

    void ResetDatasets();
    // Pairs every primary record with its imported partner, if any (see
    // PairRecordsByNumber). False when memory runs out: the pairs stay as
    // they were.
    bool AlignImportedRecords();

    // Makes this document a copy of `other`'s datasets and pairs; throws
    // std::bad_alloc, leaving it empty, when memory runs out.
    void CopyFrom(const LatticeDocument& other);

    // Each read below tells `progress`, where given, how far it is and stops
    // once it is cancelled (failing as std::errc::operation_canceled). The
    // reader's warnings are told once the read is over, none for a cancelled
    // one.

    // File Open: the file read, then both datasets reset and, when it was
    // read, its records made the primary dataset. With `recordLimit`, only
    // as far as the line that gives that many records (see ReadLatticeFile).
    std::error_code OpenDataFile(const std::string& path, quib::ReadProgress* progress = nullptr,
                                 int recordLimit = quib::kAllRecords);
    // File Import: the file appended to the imported dataset, then the
    // records paired. A file that cannot be paired for want of memory is
    // taken out again and reported as unread.
    std::error_code ImportDataFile(const std::string& path, quib::ReadProgress* progress = nullptr);
    // Reload: the open file and its imports, in order, read again and paired.
    // Only a reload that reads every file replaces the datasets; otherwise
    // they stay as they were and `failedPath` names the file that failed.
    std::error_code ReloadDataFiles(const std::string& path,
                                    const std::vector<std::string>& importPaths,
                                    std::string& failedPath,
                                    quib::ReadProgress* progress = nullptr);

    // Where Follow File stands on the open file.
    struct FollowedFile {
        quib::FollowedRead read;
        bool started = false;
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t size = 0; // as last read
    };
    // Follow File: the lines appended to the open file since `at` read as
    // the rest of the primary dataset and the records paired again. At the
    // start, and for a file replaced, shrunk or compressed, a reload, whose
    // open file gives only its complete lines (a last line without its line
    // end waits). `changed` tells whether the datasets changed; on failure
    // they and `at` are as they were and `failedPath` names the file.
    std::error_code FollowDataFile(const std::string& path,
                                   const std::vector<std::string>& importPaths, FollowedFile& at,
                                   bool& changed, std::string& failedPath);

    // Whether the file has changed since `at` as FollowDataFile would read
    // it: grown, replaced, shrunk, or not yet read. A file that cannot be
    // looked at has changed: reading it tells why.
    static bool FollowedFileChanged(const std::string& path, const FollowedFile& at);

    // Receives the reader's warning together with the path being read.
    using WarningHook = quib::WarningHook;
    void SetWarningHook(WarningHook hook) { m_warningHook = std::move(hook); }

  private:
    // Both datasets and their pairs as a reload reads them anew.
    struct Datasets {
        int primaryDim = -1;
        CLatticeRecordArray primary;
        int importedDim = -1;
        CLatticeRecordArray imported;
        std::vector<int> partners;
        quib::RecordPairing pairing; // kept for the records a Follow appends
    };
    quib::ReaderWarning WarningFor(const std::string& path) const;
    // The open file's part of a Follow's reload: its complete lines (a
    // compressed file whole) read into a new dataset.
    static std::error_code ReadPrimaryAnew(int fd, const quib::ReaderWarning& warn, Datasets& into,
                                           quib::FollowedRead& followed);
    // The imports read anew, in order, and paired with `into`'s primary
    // dataset; `failedPath` names the file being read.
    static std::error_code ReadImportsAnew(const std::vector<std::string>& importPaths,
                                           Datasets& into, std::string& failedPath,
                                           quib::HeldWarnings& warnings,
                                           quib::ReadProgress& progress);
    // The end of a reload: the datasets read taken in, unless it failed.
    std::error_code TakeReload(std::error_code error, Datasets& read,
                               const quib::HeldWarnings& warnings, std::string& failedPath);
    std::error_code Reload(int fd, const std::string& path,
                           const std::vector<std::string>& importPaths, std::string& failedPath,
                           quib::FollowedRead& followed);
    std::error_code ReadAppendedLines(int fd, const std::string& path, quib::FollowedRead& at,
                                      std::int64_t size);
    void CountUnpaired();

    std::vector<int> m_partners;
    quib::RecordPairing m_pairing;
    int m_unpaired = 0;
    WarningHook m_warningHook;
};
