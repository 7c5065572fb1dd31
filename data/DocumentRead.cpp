#include "DocumentRead.h"

#include <new>

namespace quib {

namespace {

// Runs `read` on a new document that holds its warnings; memory that runs
// out fails the read, and nothing half-read is kept.
template <class Read> DocumentRead ReadInto(const std::string& path, Read read) {
    DocumentRead result;
    result.failedPath = path;
    try {
        auto document = std::make_shared<LatticeDocument>();
        document->SetWarningHook(result.warnings.Hook());
        result.error = read(*document, result.failedPath);
        document->SetWarningHook({});
        if (!result.error)
            result.data = std::move(document);
    } catch (const std::bad_alloc&) {
        result.error = std::make_error_code(std::errc::not_enough_memory);
    }
    if (!result.error)
        result.failedPath.clear();
    return result;
}

} // namespace

DocumentRead ReadToOpen(const std::string& path, ReadProgress& progress) {
    return ReadInto(path, [&](LatticeDocument& document, std::string&) {
        return document.OpenDataFile(path, &progress);
    });
}

DocumentRead ReadToImport(const LatticeDocument& shown, const std::string& path,
                          ReadProgress& progress) {
    return ReadInto(path, [&](LatticeDocument& document, std::string&) {
        document.CopyFrom(shown);
        return document.ImportDataFile(path, &progress);
    });
}

DocumentRead ReadToReload(const std::string& path, const std::vector<std::string>& importPaths,
                          ReadProgress& progress) {
    return ReadInto(path, [&](LatticeDocument& document, std::string& failedPath) {
        return document.ReloadDataFiles(path, importPaths, failedPath, &progress);
    });
}

FollowRead ReadToFollow(const LatticeDocument& shown, const std::string& path,
                        const std::vector<std::string>& importPaths,
                        const LatticeDocument::FollowedFile& at) {
    FollowRead result;
    result.at = at;
    // Nothing copied while the file stands still.
    if (!LatticeDocument::FollowedFileChanged(path, at))
        return result;
    result.read = ReadInto(path, [&](LatticeDocument& document, std::string& failedPath) {
        document.CopyFrom(shown);
        return document.FollowDataFile(path, importPaths, result.at, result.changed, failedPath);
    });
    if (!result.changed)
        result.read.data.reset();
    return result;
}

} // namespace quib
