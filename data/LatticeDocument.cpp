#include "LatticeDocument.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <utility>

quib::ReaderWarning LatticeDocument::WarningFor(const std::string& path) const {
    return [this, &path](const char* message) {
        if (m_warningHook)
            m_warningHook(path, message);
    };
}

// The reader's warnings of a read apart from the document, held for the
// document's own thread, where the hook may show them. A run of the same
// warning is held once with its count: a file of a million wrong dimension
// lines costs no memory for them.
class LatticeDocument::HeldWarnings {
  public:
    quib::ReaderWarning For(const std::string& path) {
        return [this, path](const char* message) {
            if (m_held.empty() || m_held.back().path != path || m_held.back().message != message)
                m_held.push_back({path, message, 0});
            ++m_held.back().count;
        };
    }

    // None for a read that was cancelled: the user has turned from the file.
    void Tell(const WarningHook& hook, std::error_code error) const {
        if (!hook || error == std::errc::operation_canceled)
            return;
        for (const Held& held : m_held)
            for (std::size_t k = 0; k < held.count; ++k)
                hook(held.path, held.message);
    }

  private:
    struct Held {
        std::string path;
        const char* message; // the reader's messages are literals
        std::size_t count;
    };
    std::vector<Held> m_held;
};

std::error_code LatticeDocument::RunInline(const Read& read) {
    quib::ReadProgress progress;
    return read(progress);
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

std::error_code LatticeDocument::OpenDataFile(const std::string& path, const ReadRunner& run,
                                              int recordLimit) {
    int dimension = -1;
    CLatticeRecordArray records;
    HeldWarnings warnings;
    const std::error_code error = run([&](quib::ReadProgress& progress) {
        return quib::ReadLatticeFile(path, dimension, records, warnings.For(path), progress, 0,
                                     recordLimit);
    });
    warnings.Tell(m_warningHook, error);
    ResetDatasets();
    if (error)
        return error;
    m_nPrimaryDim = dimension;
    m_primaryRecords.Swap(records);
    return {};
}

std::error_code LatticeDocument::ImportDataFile(const std::string& path, const ReadRunner& run) {
    const int count = m_importedRecords.GetSize();
    int dimension = -1;
    CLatticeRecordArray records;
    HeldWarnings warnings;
    const std::error_code error = run([&](quib::ReadProgress& progress) {
        return quib::ReadLatticeFile(path, dimension, records, warnings.For(path), progress, count);
    });
    warnings.Tell(m_warningHook, error);
    if (error)
        return error;
    const int dimensionBefore = m_nImportedDim;
    try {
        if (count == 0)
            m_importedRecords.Swap(records);
        else
            m_importedRecords.Append(records);
    } catch (const std::bad_alloc&) {
        return std::make_error_code(std::errc::not_enough_memory);
    }
    m_nImportedDim = dimension;
    if (AlignImportedRecords())
        return {};
    // The earlier pairs still hold for the records that were there before.
    m_nImportedDim = dimensionBefore;
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

std::error_code LatticeDocument::ReadPrimaryAnew(int fd, const quib::ReaderWarning& warn,
                                                 Datasets& into, quib::FollowedRead& followed) {
    followed = {};
    if (const std::error_code error = quib::ReadCompleteLines(fd, followed, into.primary, warn))
        return error;
    if (!followed.compressed) {
        into.primaryDim = followed.dimension;
        into.primary.FreeExtra();
        return {};
    }
    if (lseek(fd, 0, SEEK_SET) < 0)
        return {errno, std::generic_category()};
    return quib::ReadLatticeDescriptor(fd, into.primaryDim, into.primary, warn);
}

std::error_code LatticeDocument::ReadImportsAnew(const std::vector<std::string>& importPaths,
                                                 Datasets& into, std::string& failedPath,
                                                 HeldWarnings& warnings,
                                                 quib::ReadProgress& progress) {
    for (const std::string& importPath : importPaths) {
        failedPath = importPath;
        if (const std::error_code error = quib::ReadLatticeFile(
                importPath, into.importedDim, into.imported, warnings.For(importPath), progress))
            return error;
    }
    if (!importPaths.empty() && !into.pairing.PairAll(into.primary, into.imported, into.partners))
        return std::make_error_code(std::errc::not_enough_memory);
    return {};
}

std::error_code LatticeDocument::TakeReload(std::error_code error, Datasets& read,
                                            const HeldWarnings& warnings, std::string& failedPath) {
    warnings.Tell(m_warningHook, error);
    if (error)
        return error;
    failedPath.clear();
    m_nPrimaryDim = read.primaryDim;
    m_primaryRecords.Swap(read.primary);
    m_nImportedDim = read.importedDim;
    m_importedRecords.Swap(read.imported);
    m_partners.swap(read.partners);
    std::swap(m_pairing, read.pairing);
    CountUnpaired();
    return {};
}

std::error_code LatticeDocument::ReloadDataFiles(const std::string& path,
                                                 const std::vector<std::string>& importPaths,
                                                 std::string& failedPath, const ReadRunner& run) {
    Datasets read;
    HeldWarnings warnings;
    const std::error_code error = run([&](quib::ReadProgress& progress) {
        failedPath = path;
        if (const std::error_code primaryError = quib::ReadLatticeFile(
                path, read.primaryDim, read.primary, warnings.For(path), progress))
            return primaryError;
        return ReadImportsAnew(importPaths, read, failedPath, warnings, progress);
    });
    return TakeReload(error, read, warnings, failedPath);
}

std::error_code LatticeDocument::Reload(int fd, const std::string& path,
                                        const std::vector<std::string>& importPaths,
                                        std::string& failedPath, quib::FollowedRead& followed) {
    Datasets read;
    HeldWarnings warnings;
    failedPath = path;
    std::error_code error = ReadPrimaryAnew(fd, warnings.For(path), read, followed);
    if (!error) {
        quib::ReadProgress progress;
        error = ReadImportsAnew(importPaths, read, failedPath, warnings, progress);
    }
    return TakeReload(error, read, warnings, failedPath);
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
                                 static_cast<std::int64_t>(quib::kDefaultReadChunk)));
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
        error = Reload(fd, path, importPaths, failedPath, next.read);
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
