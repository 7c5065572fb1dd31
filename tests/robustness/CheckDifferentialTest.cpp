#include "Compress.h"
#include "FileCheck.h"
#include "RandomDataFile.h"
#include "ReaderComparison.h"
#include "ReferenceCheck.h"
#include "Sanitizers.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace {

// The check's findings as "LINE KIND", sorted like the reference's.
std::vector<std::string> Kinds(const std::vector<quib::Finding>& findings) {
    std::vector<std::string> kinds;
    for (const quib::Finding& finding : findings)
        kinds.push_back(std::to_string(finding.line) + " " + finding.kind);
    std::sort(kinds.begin(), kinds.end());
    return kinds;
}

// Fewer under the sanitizers still go through every kind of line and every
// compression.
constexpr int kRounds = RoundsForThisTree(3000);

// Thousands of files mixing good lines with every kind of trouble: the
// check finds what the plain reading of the rules finds, line for line.
TEST(CheckDifferential, FindsWhatThePlainRulesFind) {
    const TempDir dir;
    RandomDataFile random(20261209);
    for (int round = 0; round < kRounds; ++round) {
        const std::string bytes = random.Make();
        // Every fifth file compressed: the findings are the text's, line for
        // line.
        const quib::Compression format =
            round % 5 == 0 ? kCompressions[round / 5 % 3] : quib::Compression::None;
        const std::string path = dir.Write(std::string("random.dat") + CompressedSuffix(format),
                                           CompressText(bytes, format, 1 + round % 2));
        std::vector<quib::Finding> findings;
        ASSERT_FALSE(quib::CheckDataFile(path, findings));
        EXPECT_TRUE(std::is_sorted(
            findings.begin(), findings.end(),
            [](const quib::Finding& a, const quib::Finding& b) { return a.line < b.line; }));
        const std::vector<std::string> expected = ReferenceCheck(bytes);
        const std::vector<std::string> found = Kinds(findings);
        if (found != expected) {
            std::vector<std::string> onlyFound, onlyExpected;
            std::set_difference(found.begin(), found.end(), expected.begin(), expected.end(),
                                std::back_inserter(onlyFound));
            std::set_difference(expected.begin(), expected.end(), found.begin(), found.end(),
                                std::back_inserter(onlyExpected));
            ADD_FAILURE() << "round " << round << CompressedSuffix(format) << " of \""
                          << EscapeBytes(bytes, 2000) << "\"";
            EXPECT_EQ(onlyFound, std::vector<std::string>{}) << "found, not expected";
            EXPECT_EQ(onlyExpected, std::vector<std::string>{}) << "expected, not found";
            return;
        }
    }
}

} // namespace
