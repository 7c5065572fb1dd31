// Statistics over random selections of random documents (ranges in and out
// of the file, conditions, the four kinds of values, imports with unpaired
// records, missing values, values at the limits of 32 bits) against the
// plain computation of the support folder, figure by figure.

#include "LatticeDocument.h"
#include "RecordStatistics.h"
#include "ReferenceStatistics.h"
#include "Sanitizers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <string>

namespace {

using namespace quib;

class StatisticsInputs {
  public:
    explicit StatisticsInputs(unsigned seed) : m_random(seed) {}

    int Upto(int n) { return std::uniform_int_distribution<int>(0, n)(m_random); }

    // Mostly small values, which make minimal nodes and ties; now and then
    // one that is missing, one just above that, or one at a limit.
    std::int32_t Value() {
        constexpr std::int32_t kRare[] = {INT_MIN, INT_MAX, -32001,  -32000,
                                          -40000,  -31999,  1 << 30, -(1 << 30)};
        return Upto(9) == 0 ? kRare[Upto(7)] : Upto(8) - 3;
    }

    // Records numbered mostly by position, some numbers repeated; the nodes
    // the dimension does not give read 0, as the reader leaves them.
    void Fill(CLatticeRecordArray& records, int dimension, int count) {
        for (int k = 0; k < count; ++k) {
            CLatticeRecord record;
            for (int n = std::max(kNodeCount - dimension, 0); n < kNodeCount; ++n)
                record.m_nNodeValue[n] = Value();
            record.m_nRecordNumber = Upto(5) == 0 ? Upto(6) : k + 1;
            records.Add(record);
        }
    }

    // An import of the same run, or none: most records there, others not,
    // some changed, in another order.
    void Document(LatticeDocument& document) {
        constexpr int kDimensions[] = {26, 32, 32, 40, 3};
        document.m_nPrimaryDim = kDimensions[Upto(4)];
        Fill(document.m_primaryRecords, document.m_nPrimaryDim, Upto(40));
        constexpr int kImported[] = {-1, 26, 32, 32, 0};
        document.m_nImportedDim = kImported[Upto(4)];
        if (document.m_nImportedDim > 0) {
            CLatticeRecordArray fresh;
            Fill(fresh, document.m_nImportedDim, Upto(40));
            for (int k = 0; k < fresh.GetSize(); ++k) {
                CLatticeRecord record = fresh[k];
                if (k < document.m_primaryRecords.GetSize() && Upto(3) > 0) {
                    const CLatticeRecord& same = document.m_primaryRecords[k];
                    std::copy(std::begin(same.m_nNodeValue) + kNodeCount - document.m_nImportedDim,
                              std::end(same.m_nNodeValue),
                              std::begin(record.m_nNodeValue) + kNodeCount -
                                  document.m_nImportedDim);
                    record.m_nRecordNumber = same.m_nRecordNumber;
                }
                document.m_importedRecords.Add(record);
            }
            for (int k = document.m_importedRecords.GetSize() - 1; k > 0; --k)
                std::swap(document.m_importedRecords[k], document.m_importedRecords[Upto(k)]);
        }
        ASSERT_TRUE(document.AlignImportedRecords());
    }

    // A position in the file, at or beyond an end, or far beyond.
    long long Position(int count) {
        constexpr long long kFar[] = {INT_MIN, -3, 0, INT_MAX};
        return Upto(5) == 0 ? kFar[Upto(3)] : Upto(count + 2);
    }

  private:
    std::mt19937 m_random;
};

// Conditions of every kind that choose records: on the values, the partner,
// the record before, the minimal nodes, the position; and none.
constexpr const char* kSelectingConditions[] = {
    "",
    "",
    "minimal(ab)",
    "not partner",
    "differs",
    "changed(abc)",
    "abcde > imported.abcde",
    "missing(bc) or position > 10",
    "number < 8 and {} >= 0",
    "not minimal(cd) and ab + ac > 2",
};

bool SameFigures(const NodeStatistics& a, const NodeStatistics& b) {
    return a.count == b.count && a.min == b.min && a.max == b.max && a.sum == b.sum &&
           a.positive == b.positive && a.minimal == b.minimal;
}

TEST(StatisticsDifferential, AgreesWithThePlainComputation) {
    StatisticsInputs inputs(31);
    int selections = 0, empty = 0, partial = 0, minimal = 0, differences = 0;
    for (int trial = 0; trial < RoundsForThisTree(400); ++trial) {
        LatticeDocument document;
        inputs.Document(document);
        if (HasFatalFailure())
            return;
        const int count = document.m_primaryRecords.GetSize();
        for (int s = 0; s < 12; ++s) {
            const ValueTransform transform = static_cast<ValueTransform>(inputs.Upto(3));
            const std::string text = kSelectingConditions[inputs.Upto(9)];
            RecordSelection selection;
            if (inputs.Upto(2) > 0) {
                // Now and then a range that runs backwards, which holds nothing.
                selection.first = static_cast<int>(inputs.Position(count));
                selection.last = static_cast<int>(inputs.Position(count));
                if (selection.first > selection.last && inputs.Upto(4) > 0)
                    std::swap(selection.first, selection.last);
            }
            std::optional<Condition> condition;
            if (!text.empty()) {
                condition = ParseCondition(text).condition;
                ASSERT_TRUE(condition) << text;
                selection.condition = &*condition;
            }
            const RecordStatistics got = ComputeStatistics(document, selection, transform);
            const ReferenceStatisticsResult expected =
                ReferenceStatistics(document, transform, selection.first, selection.last, text);
            const std::string what =
                "trial " + std::to_string(trial) + ", selection " + std::to_string(s) +
                ": positions " + std::to_string(selection.first) + " to " +
                std::to_string(selection.last) + " of " + std::to_string(count) + ", '" + text +
                "', transform " + std::to_string(int(transform));
            ASSERT_EQ(got.selected, expected.selected) << what;
            ASSERT_EQ(got.runCount, static_cast<int>(expected.runs.size())) << what;
            for (int run = 0; run < got.runCount; ++run) {
                for (int n = 0; n < kNodeCount; ++n) {
                    const NodeStatistics& figures = got.nodes[run][n];
                    const ReferenceNodeFigures seen = {figures.count,    figures.min,
                                                       figures.max,      figures.sum,
                                                       figures.positive, figures.minimal};
                    ASSERT_EQ(seen, expected.runs[run][n])
                        << what << ", run " << run << ", node " << n << ": count " << figures.count
                        << " min " << figures.min << " max " << figures.max << " sum "
                        << figures.sum << " positive " << figures.positive << " minimal "
                        << figures.minimal;
                    partial += figures.count > 0 && figures.count < got.selected;
                    minimal += figures.minimal;
                    differences += run == 2 && figures.count > 0;
                }
            }
            // Cut into pieces for threads, the pieces' figures add up to the same.
            const std::vector<RecordSelection> pieces =
                SplitSelection(selection, count, 1 + inputs.Upto(4));
            RecordStatistics added = ComputeStatistics(document, pieces[0], transform);
            for (std::size_t k = 1; k < pieces.size(); ++k)
                AddStatistics(added, ComputeStatistics(document, pieces[k], transform));
            ASSERT_EQ(added.selected, got.selected) << what << " in " << pieces.size();
            for (int run = 0; run < got.runCount; ++run)
                for (int n = 0; n < kNodeCount; ++n)
                    ASSERT_TRUE(SameFigures(added.nodes[run][n], got.nodes[run][n]))
                        << what << " in " << pieces.size() << ", run " << run << ", node " << n;
            ++selections;
            empty += got.selected == 0;
        }
    }
    // The selections must be of all kinds to prove anything.
    EXPECT_GT(selections, RoundsForThisTree(4000));
    EXPECT_GT(empty, selections / 20);
    EXPECT_LT(empty, selections / 2);
    EXPECT_GT(partial, selections);
    EXPECT_GT(minimal, selections);
    EXPECT_GT(differences, selections / 10);
}

} // namespace
