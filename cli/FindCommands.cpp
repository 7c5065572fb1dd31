#include "FindCommands.h"

#include "BlockOutput.h"
#include "ConditionScan.h"
#include "DataCommands.h"
#include "LatticeDocument.h"
#include "SummaryText.h"
#include "UnpairedRecords.h"

namespace quib {

namespace {

// "POSITION NUMBER" per record, `positions` 1-based into `records`.
int WriteFound(const std::vector<int>& positions, const CLatticeRecordArray& records,
               std::FILE* out, std::FILE* err) {
    constexpr std::size_t kLineBytes = 2 * kIntegerBytes + 2;
    BlockOutput output(out);
    for (const int position : positions) {
        char* line = output.Room(kLineBytes);
        line = WriteInteger(line, position);
        *line++ = ' ';
        line = WriteInteger(line, records[position - 1].m_nRecordNumber);
        *line++ = '\n';
        output.Commit(line);
    }
    return output.FinishStandardOutput(positions.empty() ? kNothingFoundStatus : 0, err);
}

} // namespace

int LoadWithCondition(const Arguments& arguments, std::optional<Condition>& condition,
                      LatticeDocument& document, std::FILE* err) {
    if (arguments.find) {
        ParsedCondition parsed = ParseCondition(arguments.condition);
        if (const std::string problem = ConditionProblem(parsed, !arguments.imports.empty());
            !problem.empty()) {
            std::fprintf(err, "quib: --find: %s\n", problem.c_str());
            return 2;
        }
        condition = std::move(parsed.condition);
    }
    return LoadDocument(document, arguments, err) ? 0 : 1;
}

std::vector<int> FindMatches(const LatticeDocument& document, const Condition& condition,
                             const Arguments& arguments) {
    std::vector<int> positions;
    ConditionScan(document, arguments.values).MatchingPositions(condition, positions);
    return positions;
}

int RunFind(const Arguments& arguments, std::FILE* out, std::FILE* err) {
    std::optional<Condition> condition;
    LatticeDocument document;
    if (const int status = LoadWithCondition(arguments, condition, document, err))
        return status;
    return WriteFound(FindMatches(document, *condition, arguments), document.m_primaryRecords, out,
                      err);
}

int RunUnpaired(const Arguments& arguments, std::FILE* out, std::FILE* err) {
    LatticeDocument document;
    if (!LoadDocument(document, arguments, err))
        return 1;
    std::vector<int> positions = UnpairedImportedRecords(document);
    for (int& index : positions)
        ++index;
    return WriteFound(positions, document.m_importedRecords, out, err);
}

} // namespace quib
