#pragma once

#include "HeldWarnings.h"
#include "LatticeDocument.h"
#include "ReadProgress.h"

#include <memory>
#include <string>
#include <system_error>
#include <vector>

namespace quib {

// A read of the shown document's files done apart from the datasets shown,
// as on another thread while they stay on the screen: new datasets, made
// whole, or why none could be. The datasets shown are never changed; the
// reader's warnings are held for the thread that shows them.
struct DocumentRead {
    std::error_code error;
    std::string failedPath;                      // the file that could not be read
    std::shared_ptr<const LatticeDocument> data; // null where the read failed
    HeldWarnings warnings;
};

// File Open: the file's records as the primary dataset, nothing imported.
DocumentRead ReadToOpen(const std::string& path, ReadProgress& progress);
// File Import: the shown datasets with the file appended to the imported
// one, paired.
DocumentRead ReadToImport(const LatticeDocument& shown, const std::string& path,
                          ReadProgress& progress);
// Reload: the open file and its imports read again, in order, and paired.
DocumentRead ReadToReload(const std::string& path, const std::vector<std::string>& importPaths,
                          ReadProgress& progress);

// Follow File: what was appended to the open file since `at` read onto a copy
// of the shown datasets (a file replaced or shrunk read again whole).
// `changed` is false, and `read.data` null, where the file is as it was.
struct FollowRead {
    DocumentRead read;
    bool changed = false;
    LatticeDocument::FollowedFile at;
};
FollowRead ReadToFollow(const LatticeDocument& shown, const std::string& path,
                        const std::vector<std::string>& importPaths,
                        const LatticeDocument::FollowedFile& at);

} // namespace quib
