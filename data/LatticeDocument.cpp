#include "LatticeDocument.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

ReaderWarning LatticeDocument::WarningFor(const std::string& path) const {
    return [this, &path](const char* message) {
        if (m_warningHook)
            m_warningHook(path, message);
    };
}

std::error_code LatticeDocument::ReadDataFile(const std::string& path, int& dimension,
                                              CLatticeRecordArray& records) {
    return ReadLatticeFile(path, dimension, records, WarningFor(path));
}

void LatticeDocument::ResetDatasets() {
    m_nPrimaryDim = -1;
    m_primaryRecords.RemoveAll();
    m_nImportedDim = -1;
    m_importedRecords.RemoveAll();
    m_partners.clear();
    m_pairing.Forget();
    m_unpaired = 0;
}

bool LatticeDocument::AlignImportedRecords() {
    if (!m_pairing.PairAll(m_primaryRecords, m_importedRecords, m_partners))
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

namespace {

// Opens a file for reading; -1 with `error` set where it cannot be.
int OpenForReading(const std::string& path, std::error_code& error) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        error = {errno, std::generic_category()};
    return fd;
}

} // namespace

std::error_code LatticeDocument::ReadPrimaryAnew(int fd, const std::string& path, int& dimension,
                                                 CLatticeRecordArray& records,
                                                 quib::FollowedRead* followed) {
    if (followed != nullptr) {
        *followed = {};
        if (const std::error_code error =
                quib::ReadCompleteLines(fd, *followed, records, WarningFor(path)))
            return error;
        if (!followed->compressed) {
            dimension = followed->dimension;
            records.FreeExtra();
            return {};
        }
        if (lseek(fd, 0, SEEK_SET) < 0)
            return {errno, std::generic_category()};
    }
    return ReadLatticeDescriptor(fd, dimension, records, WarningFor(path));
}

std::error_code LatticeDocument::ReloadDataFiles(const std::string& path,
                                                 const std::vector<std::string>& importPaths,
                                                 std::string& failedPath) {
    std::error_code error;
    const int fd = OpenForReading(path, error);
    if (fd < 0) {
        failedPath = path;
        return error;
    }
    error = Reload(fd, path, importPaths, failedPath, nullptr);
    close(fd);
    return error;
}

std::error_code LatticeDocument::Reload(int fd, const std::string& path,
                                        const std::vector<std::string>& importPaths,
                                        std::string& failedPath, quib::FollowedRead* followed) {
    int primaryDim = -1;
    CLatticeRecordArray primary;
    int importedDim = -1;
    CLatticeRecordArray imported;
    std::vector<int> partners;
    std::error_code error = ReadPrimaryAnew(fd, path, primaryDim, primary, followed);
    failedPath = path;
    for (std::size_t k = 0; !error && k < importPaths.size(); ++k) {
        error = ReadDataFile(importPaths[k], importedDim, imported);
        failedPath = importPaths[k];
    }
    if (!error && importPaths.empty())
        m_pairing.Forget();
    else if (!error && !m_pairing.PairAll(primary, imported, partners))
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

std::error_code LatticeDocument::ReadAppendedLines(int fd, const std::string& path,
                                                   quib::FollowedRead& at, std::int64_t size) {
    const int countBefore = m_primaryRecords.GetSize();
    quib::FollowedRead next = at;
    // A few lines appended need no buffer of a whole file's chunk; a longer
    // line grows the buffer as it must.
    constexpr std::int64_t kLeastChunk = 4096;
    const std::size_t chunk = static_cast<std::size_t>(
        std::clamp<std::int64_t>(size - static_cast<std::int64_t>(at.offset), kLeastChunk,
                                 static_cast<std::int64_t>(kDefaultReadChunk)));
    if (const std::error_code error =
            quib::ReadCompleteLines(fd, next, m_primaryRecords, WarningFor(path), chunk))
        return error;
    const int dimension = m_nPrimaryDim;
    m_nPrimaryDim = next.dimension;
    // Without an import there is nothing to pair; with one, the records
    // appended are paired, not all of them again.
    if (m_importedRecords.GetSize() > 0) {
        if (!m_pairing.PairAppended(m_primaryRecords, m_importedRecords, m_partners)) {
            m_nPrimaryDim = dimension;
            m_primaryRecords.SetSize(countBefore);
            return std::make_error_code(std::errc::not_enough_memory);
        }
        CountUnpaired();
    }
    at = next;
    return {};
}

std::error_code LatticeDocument::FollowDataFile(const std::string& path,
                                                const std::vector<std::string>& importPaths,
                                                FollowedFile& at, bool& changed,
                                                std::string& failedPath) {
    changed = false;
    failedPath.clear();
    std::error_code error;
    const int fd = OpenForReading(path, error);
    struct stat status {};
    if (fd >= 0 && fstat(fd, &status) != 0)
        error = {errno, std::generic_category()};
    if (error) {
        if (fd >= 0)
            close(fd);
        failedPath = path;
        return error;
    }
    FollowedFile next = at;
    next.started = true;
    next.device = status.st_dev;
    next.inode = status.st_ino;
    next.size = status.st_size;
    const bool replaced = !at.started || next.device != at.device || next.inode != at.inode ||
                          next.size < static_cast<std::int64_t>(at.read.offset) ||
                          (at.read.compressed && next.size != at.size);
    if (replaced)
        error = Reload(fd, path, importPaths, failedPath, &next.read);
    else if (next.size != at.size && !at.read.ended)
        error = ReadAppendedLines(fd, path, next.read, next.size);
    close(fd);
    if (error) {
        if (failedPath.empty())
            failedPath = path;
        return error;
    }
    changed = replaced || next.read.offset != at.read.offset;
    at = next;
    return {};
}
