#include "LatticeDocument.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <utility>

namespace {

// The reader's warnings of one file, for a hook that is told the path too.
quib::ReaderWarning WarningsOf(const std::string& path, quib::WarningHook hook) {
    return [path, hook = std::move(hook)](const char* message) {
        if (hook)
            hook(path, message);
    };
}

} // namespace

quib::ReaderWarning LatticeDocument::WarningFor(const std::string& path) const {
    return WarningsOf(path, m_warningHook);
}

namespace {

// The progress a read tells: the caller's, or one nobody looks at.
class ProgressOf {
  public:
    explicit ProgressOf(quib::ReadProgress* given) : m_progress(given ? *given : m_own) {}
    operator quib::ReadProgress&() { return m_progress; }

  private:
    quib::ReadProgress m_own;
    quib::ReadProgress& m_progress;
};

} // namespace

void LatticeDocument::CopyFrom(const LatticeDocument& other) {
    ResetDatasets();
    try {
        m_primaryRecords.Append(other.m_primaryRecords);
        m_importedRecords.Append(other.m_importedRecords);
        m_partners = other.m_partners;
        m_pairing = other.m_pairing;
    } catch (...) {
        ResetDatasets();
        throw;
    }
    m_nPrimaryDim = other.m_nPrimaryDim;
    m_nImportedDim = other.m_nImportedDim;
    m_unpaired = other.m_unpaired;
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

std::error_code LatticeDocument::OpenDataFile(const std::string& path, quib::ReadProgress* progress,
                                              int recordLimit) {
    int dimension = -1;
    CLatticeRecordArray records;
    quib::HeldWarnings warnings;
    const std::error_code error =
        quib::ReadLatticeFile(path, dimension, records, WarningsOf(path, warnings.Hook()),
                              ProgressOf(progress), 0, recordLimit);
    warnings.Tell(m_warningHook, error);
    ResetDatasets();
    if (error)
        return error;
    m_nPrimaryDim = dimension;
    m_primaryRecords.Swap(records);
    return {};
}

std::error_code LatticeDocument::ImportDataFile(const std::string& path,
                                                quib::ReadProgress* progress) {
    const int count = m_importedRecords.GetSize();
    int dimension = -1;
    CLatticeRecordArray records;
    quib::HeldWarnings warnings;
    const std::error_code error = quib::ReadLatticeFile(
        path, dimension, records, WarningsOf(path, warnings.Hook()), ProgressOf(progress), count);
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
                                                 quib::HeldWarnings& warnings,
                                                 quib::ReadProgress& progress) {
    for (const std::string& importPath : importPaths) {
        failedPath = importPath;
        if (const std::error_code error =
                quib::ReadLatticeFile(importPath, into.importedDim, into.imported,
                                      WarningsOf(importPath, warnings.Hook()), progress))
            return error;
    }
    if (!importPaths.empty() && !into.pairing.PairAll(into.primary, into.imported, into.partners))
        return std::make_error_code(std::errc::not_enough_memory);
    return {};
}

std::error_code LatticeDocument::TakeReload(std::error_code error, Datasets& read,
                                            const quib::HeldWarnings& warnings,
                                            std::string& failedPath) {
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
                                                 std::string& failedPath,
                                                 quib::ReadProgress* progress) {
    Datasets read;
    quib::HeldWarnings warnings;
    ProgressOf told(progress);
    failedPath = path;
    std::error_code error = quib::ReadLatticeFile(path, read.primaryDim, read.primary,
                                                  WarningsOf(path, warnings.Hook()), told);
    if (!error)
        error = ReadImportsAnew(importPaths, read, failedPath, warnings, told);
    return TakeReload(error, read, warnings, failedPath);
}

std::error_code LatticeDocument::Reload(int fd, const std::string& path,
                                        const std::vector<std::string>& importPaths,
                                        std::string& failedPath, quib::FollowedRead& followed) {
    Datasets read;
    quib::HeldWarnings warnings;
    failedPath = path;
    std::error_code error = ReadPrimaryAnew(fd, WarningsOf(path, warnings.Hook()), read, followed);
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

namespace {

// What a followed file's status says of it since `at`.
struct FollowedChange {
    bool replaced; // read again whole
    bool grown;    // lines appended to read
};

FollowedChange ChangeSince(const LatticeDocument::FollowedFile& at, const struct stat& status) {
    const bool replaced = !at.started || std::uint64_t(status.st_dev) != at.device ||
                          std::uint64_t(status.st_ino) != at.inode ||
                          status.st_size < static_cast<std::int64_t>(at.read.offset) ||
                          (at.read.compressed && status.st_size != at.size);
    return {replaced, !replaced && status.st_size != at.size && !at.read.ended};
}

} // namespace

bool LatticeDocument::FollowedFileChanged(const std::string& path, const FollowedFile& at) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0)
        return true;
    const FollowedChange change = ChangeSince(at, status);
    return change.replaced || change.grown;
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
    const FollowedChange change = ChangeSince(at, status);
    FollowedFile next = at;
    next.started = true;
    next.device = status.st_dev;
    next.inode = status.st_ino;
    next.size = status.st_size;
    if (change.replaced)
        error = Reload(fd, path, importPaths, failedPath, next.read);
    else if (change.grown)
        error = ReadAppendedLines(fd, path, next.read, next.size);
    close(fd);
    if (error) {
        if (failedPath.empty())
            failedPath = path;
        return error;
    }
    changed = change.replaced || next.read.offset != at.read.offset;
    at = next;
    return {};
}
