#include "DataCommands.h"

#include "BlockOutput.h"
#include "FileCheck.h"
#include "FindCommands.h"
#include "LatticeDocument.h"
#include "SummaryFormats.h"

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
    // A picture fitted by --size is a thumbnail: FILE is read only as far as
    // the record it draws, whatever follows.
    const int recordLimit = arguments.size > 0 ? arguments.record : kAllRecords;
    if (const std::error_code error = document.OpenDataFile(arguments.file, nullptr, recordLimit)) {
        ReportCannotOpen(err, arguments.file, error);
        return false;
    }
    // An import that cannot be read would leave its records unpaired, and the
    // result would pass for an answer about both runs.
    for (const std::string& path : arguments.imports) {
        if (const std::error_code error = document.ImportDataFile(path)) {
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
    BlockOutput output(out);
    output.Write("dimension: " + std::to_string(document.m_nPrimaryDim) +
                 "\nrecords: " + std::to_string(document.m_primaryRecords.GetSize()) + "\n");
    return output.FinishStandardOutput(0, err);
}

int RunCheck(const Arguments& arguments, std::FILE* out, std::FILE* err) {
    std::vector<Finding> findings;
    if (const std::error_code error = CheckDataFile(arguments.file, findings)) {
        ReportCannotOpen(err, arguments.file, error);
        return 1;
    }
    BlockOutput output(out);
    for (const Finding& finding : findings)
        output.Write(arguments.file + ":" + std::to_string(finding.line) + ": " + finding.kind +
                     ": " + finding.explanation + "\n");
    return output.FinishStandardOutput(findings.empty() ? 0 : 3, err);
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
    return output.FinishStandardOutput(nothingFound ? kNothingFoundStatus : 0, err);
}

} // namespace quib
