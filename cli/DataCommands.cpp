#include "DataCommands.h"

#include "FileCheck.h"
#include "LatticeDocument.h"
#include "SummaryText.h"

#include <cerrno>
#include <cstring>
#include <string>

namespace {

void ReportCannotOpen(std::FILE* err, const std::string& path, int error) {
    std::fprintf(err, "quib: %s\n", CannotOpenMessage(path, error).c_str());
}

void ValuesAt(const LatticeDocument& document, int index, int dataset,
              int values[quib::kNodeCount]) {
    for (int n = 0; n < quib::kNodeCount; ++n)
        values[n] = document.GetNodeValue(index, n, dataset);
}

constexpr std::size_t kFlushBytes = std::size_t{1} << 16;

} // namespace

void ReportWarningsOn(LatticeDocument& document, std::FILE* err) {
    document.SetWarningHook([err](const std::string& path, const char* message) {
        std::fprintf(err, "quib: %s: %s\n", path.c_str(), message);
    });
}

bool LoadDocument(LatticeDocument& document, const Arguments& arguments, std::FILE* err) {
    ReportWarningsOn(document, err);
    if (const ReadOutcome opened = document.OpenDataFile(arguments.file); !opened.read) {
        ReportCannotOpen(err, arguments.file, opened.error);
        return false;
    }
    for (const std::string& path : arguments.imports) {
        // An import that cannot be opened is skipped, as in the window; one
        // that ran out of memory is a failure of the whole run.
        if (const ReadOutcome imported = document.ImportDataFile(path);
            !imported.read && imported.error == ENOMEM) {
            ReportCannotOpen(err, path, ENOMEM);
            return false;
        }
    }
    return true;
}

int RunInfo(const Arguments& arguments, std::FILE* out, std::FILE* err) {
    LatticeDocument document;
    if (!LoadDocument(document, arguments, err))
        return 1;
    std::fprintf(out, "dimension: %d\nrecords: %d\n", document.m_nPrimaryDim,
                 document.m_primaryRecords.GetSize());
    return 0;
}

int RunCheck(const Arguments& arguments, std::FILE* out, std::FILE* err) {
    std::vector<Finding> findings;
    if (const ReadOutcome read = CheckDataFile(arguments.file, findings); !read.read) {
        ReportCannotOpen(err, arguments.file, read.error);
        return 1;
    }
    for (const Finding& finding : findings)
        std::fprintf(out, "%s:%lld: %s: %s\n", arguments.file.c_str(), finding.line, finding.kind,
                     finding.explanation.c_str());
    if (std::fflush(out) != 0)
        return 1;
    return findings.empty() ? 0 : 3;
}

int RunSummary(const Arguments& arguments, std::FILE* out, std::FILE* err) {
    LatticeDocument document;
    if (!LoadDocument(document, arguments, err))
        return 1;
    BuildOrderMatrix();
    const int datasets = document.m_nImportedDim > 0 ? 2 : 1;
    std::string text;
    int values[2][quib::kNodeCount];
    for (int k = 0; k < document.m_primaryRecords.GetSize(); ++k) {
        const int number = document.m_primaryRecords[k].m_nRecordNumber;
        for (int dataset = 0; dataset < datasets; ++dataset) {
            ValuesAt(document, k, dataset, values[dataset]);
            AppendSummaryLine(text, &number, values[dataset]);
            text += '\n';
            if (arguments.highlight) {
                AppendMinimalNodesLine(text, values[dataset]);
                text += '\n';
            }
        }
        if (arguments.differences && datasets == 2) {
            const bool paired = document.ImportedPartner(k) != kNoPartner;
            AppendDifferingNodesLine(text, values[0], paired ? values[1] : nullptr);
            text += '\n';
        }
        if (text.size() >= kFlushBytes) {
            std::fwrite(text.data(), 1, text.size(), out);
            text.clear();
        }
    }
    std::fwrite(text.data(), 1, text.size(), out);
    return std::fflush(out) == 0 ? 0 : 1;
}
