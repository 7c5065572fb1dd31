// The overview's binning and the node history against plain computations
// over the records of each column, and the colours under simulated colour
// blindness.

#include "LatticeTables.h"
#include "LiteralTransform.h"
#include "NodeHistory.h"
#include "Overview.h"
#include "OverviewDocuments.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

using namespace quib;

constexpr OverviewMode kModes[] = {OverviewMode::Primary, OverviewMode::Imported,
                                   OverviewMode::Difference};
constexpr ValueTransform kTransforms[] = {ValueTransform::Read, ValueTransform::Mobius,
                                          ValueTransform::Subsets, ValueTransform::Supersets};

TEST(OverviewRows, AbcdeAtTheTopLevelByLevelInTheDiagramsOrder) {
    std::string rows;
    for (int row = 0; row < kNodeCount; ++row) {
        rows += (row ? " " : "") + std::string(DisplayLabel(NodeOfRow(row)));
        EXPECT_EQ(RowOfNode(NodeOfRow(row)), row);
    }
    EXPECT_EQ(rows, "abcde abcd abce abde acde bcde abc abd abe acd ace ade bcd bce bde cde "
                    "ab ac ad ae bc bd be cd ce de a b c d e {}");
}

// Every position in exactly one column, the columns in order and of nearly
// equal length, and a position's column where it lies.
TEST(RecordGrid, ColumnsCoverRunsOfNearlyEqualLength) {
    struct Case {
        int records, fineLimit, wanted;
    };
    const Case cases[] = {{0, 64, 10},
                          {1, 64, 10},
                          {7, 64, 3},
                          {100, 64, 1},
                          {100, 64, 64},
                          {100, 64, 400},
                          {1000, 1000, 7},
                          {1000, 64, 7},
                          {99991, 4096, 256},
                          {1000000, kFineBinLimit, 4000},
                          {1000000, kFineBinLimit, 100}};
    for (const Case& c : cases) {
        const RecordGrid grid(c.records, c.fineLimit);
        const int columns = grid.ColumnsFor(c.wanted);
        EXPECT_EQ(columns, std::min({c.wanted, c.records, c.fineLimit}));
        int next = 0, shortest = c.records, longest = 0;
        for (int column = 0; column < columns; ++column) {
            const RecordRun run = grid.ColumnRecords(column, columns);
            ASSERT_EQ(run.first, next) << c.records << " " << column;
            ASSERT_LT(run.first, run.end);
            shortest = std::min(shortest, run.end - run.first);
            longest = std::max(longest, run.end - run.first);
            EXPECT_EQ(grid.ColumnOfRecord(run.first, columns), column);
            EXPECT_EQ(grid.ColumnOfRecord(run.end - 1, columns), column);
            next = run.end;
        }
        EXPECT_EQ(next, columns ? c.records : 0);
        if (columns == 0)
            continue;
        const int binsPerColumn = grid.FineBins() / columns;
        const int perBin = c.records / grid.FineBins();
        // Uneven by one record where each record has a bin, else by one
        // fine bin (and one record within it).
        EXPECT_LE(longest - shortest, grid.FineBins() == c.records ? 1 : perBin + 2)
            << c.records << " " << binsPerColumn;
        if (c.fineLimit == kFineBinLimit && columns <= 4096) {
            EXPECT_LE(longest - shortest, shortest / 16 + 2) << c.records << " " << columns;
        }
        EXPECT_EQ(grid.ColumnOfRecord(-5, columns), 0);
        EXPECT_EQ(grid.ColumnOfRecord(c.records + 5, columns), columns - 1);
    }
}

// A cell as its definition reads, from the records of its column.
struct PlainCell {
    std::int64_t value = 0;
    bool any = false, someMissing = false;
};

// The shown value of one node, from the definition of each transform; false
// where a value entering it is missing or the file does not give the node.
bool PlainShown(ValueTransform transform, const std::int32_t* read, int dimension, int node,
                std::int64_t& value) {
    const bool given = transform != ValueTransform::Read || node >= kNodeCount - dimension;
    return LiteralTransform(transform, read, node, value) && given;
}

bool PlainValue(const LatticeDocument& doc, OverviewMode mode, ValueTransform transform, int k,
                int node, std::int64_t& value) {
    std::int64_t primary = 0, partner = 0;
    const bool hasPrimary = PlainShown(transform, doc.m_primaryRecords[k].m_nNodeValue,
                                       doc.m_nPrimaryDim, node, primary);
    const int p = doc.ImportedPartner(k);
    const bool hasPartner =
        p != quib::kNoPartner && PlainShown(transform, doc.m_importedRecords[p].m_nNodeValue,
                                            doc.m_nImportedDim, node, partner);
    value = mode == OverviewMode::Primary    ? primary
            : mode == OverviewMode::Imported ? partner
                                             : partner - primary;
    return mode == OverviewMode::Primary    ? hasPrimary
           : mode == OverviewMode::Imported ? hasPartner
                                            : hasPrimary && hasPartner;
}

// The shown values of every primary record in `mode`, computed once.
struct PlainRecord {
    std::int64_t value[kNodeCount];
    bool has[kNodeCount];
};

std::vector<PlainRecord> PlainRecords(const LatticeDocument& doc, OverviewMode mode,
                                      ValueTransform transform) {
    std::vector<PlainRecord> records(std::size_t(doc.m_primaryRecords.GetSize()));
    for (std::size_t k = 0; k < records.size(); ++k)
        for (int node = 0; node < kNodeCount; ++node)
            records[k].has[node] =
                PlainValue(doc, mode, transform, int(k), node, records[k].value[node]);
    return records;
}

void ExpectOverviewAsPlain(const LatticeDocument& doc, OverviewMode mode, ValueTransform transform,
                           const std::vector<int>& widths) {
    const Overview overview(doc, mode, transform);
    const std::vector<PlainRecord> records = PlainRecords(doc, mode, transform);
    // The colour scale's ends: every value that is not missing, and 0.
    ColourEnds ends;
    for (const PlainRecord& record : records)
        for (int node = 0; node < kNodeCount; ++node)
            if (record.has[node]) {
                ends.lowest = std::min(ends.lowest, record.value[node]);
                ends.highest = std::max(ends.highest, record.value[node]);
            }
    for (const int width : widths) {
        const OverviewColumns columns = overview.Columns(width);
        for (int c = 0; c < columns.Count(); ++c) {
            const RecordRun run = columns.Records(c);
            for (int node = 0; node < kNodeCount; ++node) {
                PlainCell plain;
                for (int k = run.first; k < run.end; ++k) {
                    const PlainRecord& record = records[std::size_t(k)];
                    if (!record.has[node]) {
                        plain.someMissing = true;
                    } else if (!plain.any ||
                               std::llabs(record.value[node]) > std::llabs(plain.value)) {
                        plain.value = record.value[node];
                        plain.any = true;
                    }
                }
                const auto where = [&] {
                    return "mode " + std::to_string(int(mode)) + " transform " +
                           std::to_string(int(transform)) + " width " + std::to_string(width) +
                           " column " + std::to_string(c) + " node " + DisplayLabel(node);
                };
                ASSERT_EQ(columns.AllMissing(c, node), !plain.any) << where();
                ASSERT_EQ(columns.SomeMissing(c, node), plain.someMissing) << where();
                if (plain.any) {
                    ASSERT_EQ(columns.Value(c, node), plain.value) << where();
                }
            }
        }
    }
    EXPECT_EQ(overview.Ends(), ends);
}

// A primary run of dimension 32 and an imported one of 26, with every 7th
// number missing from it.
void FillRandomDocument(LatticeDocument& doc, int records) {
    RandomValues primary(3), imported(4);
    doc.m_nPrimaryDim = 32;
    FillRecords(doc.m_primaryRecords, records, primary);
    ImportRecords(doc, 26, imported, [](int number) { return number % 7 == 0; });
}

TEST(Overview, EachCellIsTheLargestMagnitudeOfItsRecordsInEveryModeAndTransform) {
    LatticeDocument doc;
    FillRandomDocument(doc, 997);
    for (const OverviewMode mode : kModes)
        for (const ValueTransform transform : kTransforms)
            ExpectOverviewAsPlain(doc, mode, transform, {1, 3, 100, 997, 2000});
}

// Beyond kFineBinLimit records a column merges fine bins of several records.
TEST(Overview, ColumnsMergedFromFineBinsAreTheirRecordsLargest) {
    LatticeDocument doc;
    FillRandomDocument(doc, kFineBinLimit + 12345);
    ExpectOverviewAsPlain(doc, OverviewMode::Difference, ValueTransform::Read, {777});
    ExpectOverviewAsPlain(doc, OverviewMode::Primary, ValueTransform::Read, {1, 4000, 5000});
}

// What each mode and transform shows, told by hand: one record and its
// partner, and one without a partner.
TEST(Overview, ModeAndTransformChangeWhatIsShown) {
    LatticeDocument doc;
    const int a = 1, ab = 6, abc = 16;
    doc.m_nPrimaryDim = 32;
    FillRecords(doc.m_primaryRecords, 2, [&](int, int node) {
        return node == 0 ? 1 : node == a ? 3 : node == ab ? 10 : 0;
    });
    ImportRecords(
        doc, 32, [&](int, int node) { return node == a     ? 7
                                             : node == abc ? -4
                                                           : 0; },
        [](int number) { return number == 2; });
    const auto cell = [&](OverviewMode mode, ValueTransform transform, int node, int column) {
        const OverviewColumns columns = Overview(doc, mode, transform).Columns(2);
        return columns.AllMissing(column, node) ? std::string("missing")
                                                : std::to_string(columns.Value(column, node));
    };
    EXPECT_EQ(cell(OverviewMode::Primary, ValueTransform::Read, a, 0), "3");
    EXPECT_EQ(cell(OverviewMode::Imported, ValueTransform::Read, a, 0), "7");
    EXPECT_EQ(cell(OverviewMode::Difference, ValueTransform::Read, a, 0), "4");
    EXPECT_EQ(cell(OverviewMode::Difference, ValueTransform::Read, ab, 0), "-10");
    EXPECT_EQ(cell(OverviewMode::Imported, ValueTransform::Read, abc, 0), "-4");
    // m(a) = v(a) - v({}), s(ab) = v({}) + v(a) + v(b) + v(ab), u(a) over a's supersets.
    EXPECT_EQ(cell(OverviewMode::Primary, ValueTransform::Mobius, a, 0), "2");
    EXPECT_EQ(cell(OverviewMode::Primary, ValueTransform::Subsets, ab, 0), "14");
    EXPECT_EQ(cell(OverviewMode::Primary, ValueTransform::Supersets, a, 0), "13");
    EXPECT_EQ(cell(OverviewMode::Difference, ValueTransform::Supersets, a, 0), "-10");
    EXPECT_EQ(cell(OverviewMode::Primary, ValueTransform::Read, a, 1), "3");
    EXPECT_EQ(cell(OverviewMode::Imported, ValueTransform::Read, a, 1), "missing");
    EXPECT_EQ(cell(OverviewMode::Difference, ValueTransform::Mobius, a, 1), "missing");
}

// A sum far below -31999 is a value like any other; a missing value spreads
// to the sums it enters and no further.
TEST(Overview, MissingIsToldFromTheValuesAsReadNotFromTheSums) {
    LatticeDocument doc;
    const int a = 1, b = 2, ab = 6;
    doc.m_nPrimaryDim = 32;
    FillRecords(doc.m_primaryRecords, 1, [&](int, int node) {
        return node == a ? 30000 : node == b ? 30000 : node == ab ? -31999 : 0;
    });
    const OverviewColumns mobius =
        Overview(doc, OverviewMode::Primary, ValueTransform::Mobius).Columns(1);
    ASSERT_FALSE(mobius.AllMissing(0, ab));
    EXPECT_EQ(mobius.Value(0, ab), -91999);
    doc.m_primaryRecords[0].m_nNodeValue[a] = NO_RECORD_VALUE;
    for (const ValueTransform transform : {ValueTransform::Subsets, ValueTransform::Supersets}) {
        const OverviewColumns shown = Overview(doc, OverviewMode::Primary, transform).Columns(1);
        for (int node = 0; node < kNodeCount; ++node) {
            const bool above = (VariablesOf(node) & VariablesOf(a)) != 0;
            const bool below = (VariablesOf(node) & ~VariablesOf(a)) == 0;
            EXPECT_EQ(shown.AllMissing(0, node),
                      transform == ValueTransform::Subsets ? above : below)
                << DisplayLabel(node);
        }
    }
}

TEST(Overview, NothingToShowGivesNoColumns) {
    LatticeDocument doc;
    for (const OverviewMode mode : kModes) {
        const Overview overview(doc, mode, ValueTransform::Read);
        EXPECT_EQ(overview.Columns(1200).Count(), 0);
        EXPECT_EQ(overview.Ends(), ColourEnds{});
    }
    FillRandomDocument(doc, 10);
    EXPECT_EQ(Overview(doc, OverviewMode::Primary, ValueTransform::Read).Columns(0).Count(), 0);
    EXPECT_EQ(Overview(doc, OverviewMode::Primary, ValueTransform::Read).Columns(-3).Count(), 0);
    // Dimension 26 does not give {} and the singletons, and 32 does.
    EXPECT_EQ(Overview(doc, OverviewMode::Imported, ValueTransform::Read).AbsentNodes(), 0x3fu);
    EXPECT_EQ(Overview(doc, OverviewMode::Difference, ValueTransform::Read).AbsentNodes(), 0x3fu);
    EXPECT_EQ(Overview(doc, OverviewMode::Primary, ValueTransform::Read).AbsentNodes(), 0u);
    EXPECT_EQ(Overview(doc, OverviewMode::Imported, ValueTransform::Mobius).AbsentNodes(), 0u);
}

TEST(NodeHistory, EachColumnSpansTheLeastAndLargestOfItsRecordsInBothRuns) {
    LatticeDocument doc;
    FillRandomDocument(doc, kFineBinLimit + 4321);
    for (const ValueTransform transform : {ValueTransform::Read, ValueTransform::Supersets}) {
        for (const int node : {0, 6, 31}) {
            const NodeHistory history(doc, node, transform);
            std::vector<std::pair<bool, std::int64_t>> runs[2];
            for (const HistoryRun run : {HistoryRun::Primary, HistoryRun::Imported})
                for (int k = 0; k < doc.m_primaryRecords.GetSize(); ++k) {
                    const OverviewMode mode =
                        run == HistoryRun::Primary ? OverviewMode::Primary : OverviewMode::Imported;
                    std::int64_t value;
                    const bool has = PlainValue(doc, mode, transform, k, node, value);
                    runs[int(run)].emplace_back(has, value);
                }
            ValueSpan range;
            for (const int width : {1, 640, kFineBinLimit}) {
                const HistoryColumns columns = history.Columns(width);
                for (int c = 0; c < columns.Count(); ++c) {
                    const RecordRun records = columns.Records(c);
                    for (const HistoryRun run : {HistoryRun::Primary, HistoryRun::Imported}) {
                        ValueSpan expected;
                        for (int k = records.first; k < records.end; ++k) {
                            const auto& [has, value] = runs[int(run)][std::size_t(k)];
                            if (has)
                                expected.Take(value);
                        }
                        const ValueSpan& span = columns.Span(c, run);
                        ASSERT_EQ(span.Empty(), expected.Empty()) << node << " " << c;
                        if (!expected.Empty()) {
                            ASSERT_EQ(span.least, expected.least) << node << " " << c;
                            ASSERT_EQ(span.largest, expected.largest) << node << " " << c;
                        }
                        range.Take(expected);
                    }
                }
            }
            EXPECT_EQ(history.Range().least, range.least);
            EXPECT_EQ(history.Range().largest, range.largest);
        }
    }
    EXPECT_TRUE(NodeHistory(doc, 32, ValueTransform::Read).Range().Empty());
    EXPECT_TRUE(NodeHistory(doc, -1, ValueTransform::Read)
                    .Columns(10)
                    .Span(0, HistoryRun::Primary)
                    .Empty());
}

} // namespace
