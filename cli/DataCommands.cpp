#include "DataCommands.h"

#include "BlockOutput.h"
#include "FileCheck.h"
#include "FindCommands.h"
#include "LatticeDocument.h"
#include "SummaryFormats.h"

#include <cstring>
#include <string>

namespace quib {

namespace {

void ReportCannotOpen(std::FILE* err, const std::string& path, std::error_code error) {
    std::fprintf(err, "quib: %s\n", CannotOpenMessage(path, error).c_str());
}

} // namespace

void ReportWarningsOn(LatticeDocument& document, std::FILE* err) {
    document.SetWarningHook([err](const std::string& path, const char* message) {
        std::fprintf(err, "quib: %s: %s\n", path.c_str(), message);
    });
}

bool LoadDocument(LatticeDocument& document, const Arguments& arguments, std::FILE* err) {
    ReportWarningsOn(document, err);
    if (const std::error_code error = document.OpenDataFile(arguments.file)) {
        ReportCannotOpen(err, arguments.file, error);
        return false;
    }
    for (const std::string& path : arguments.imports) {
        // An import that cannot be opened is skipped, as in the window; one
        // that ran out of memory is a failure of the whole run.
        if (const std::error_code error = document.ImportDataFile(path);
            error == std::errc::not_enough_memory) {
            ReportCannotOpen(err, path, error);
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
    if (const std::error_code error = CheckDataFile(arguments.file, findings)) {
        ReportCannotOpen(err, arguments.file, error);
        return 1;
    }
    for (const Finding& finding : findings)
        std::fprintf(out, "%s:%lld: %s: %s\n", arguments.file.c_str(), finding.line, finding.kind,
                     finding.explanation.c_str());
    if (std::fflush(out) != 0)
        return 1;
    return findings.empty() ? 0 : 3;
}

// With --find, only the records that match; when none does, nothing but
// the CSV header.
int RunSummary(const Arguments& arguments, std::FILE* out, std::FILE* err) {
    std::optional<Condition> condition;
    LatticeDocument document;
    if (const int status = LoadWithCondition(arguments, condition, document, err))
        return status;
    const SummaryLayout layout =
        SummaryLayoutOf(document, arguments.values, arguments.highlight, arguments.differences);
    const SummaryFormat format = arguments.summaryFormat;
    BlockOutput output(out);
    output.Commit(WriteSummaryHeader(output.Room(kSummaryRecordBytes), format, layout));
    SummaryRecord record;
    const auto write = [&](int index) {
        FillSummaryRecord(document, layout, index, record);
        output.Commit(WriteSummaryRecord(output.Room(kSummaryRecordBytes), format, layout, record));
    };
    bool nothingFound = false;
    if (condition) {
        const std::vector<int> positions = FindMatches(document, *condition, arguments);
        for (const int position : positions)
            write(position - 1);
        nothingFound = positions.empty();
    } else {
        for (int k = 0; k < document.m_primaryRecords.GetSize(); ++k)
            write(k);
    }
    if (const int error = output.Finish(); error != 0) {
        std::fprintf(err, "quib: cannot write the summary: %s\n", std::strerror(error));
        return 1;
    }
    return nothingFound ? kNothingFoundStatus : 0;
}

} // namespace quib
