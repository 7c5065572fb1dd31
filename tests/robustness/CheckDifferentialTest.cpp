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
#include <set>
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

// Now and then the file as another system may have written it: its lines
// ended by CR alone, or UTF-16 text with a byte order mark, little or big
// end first.
std::string AsWrittenElsewhere(std::string bytes, int round) {
    if (round % 7 == 3)
        std::replace(bytes.begin(), bytes.end(), '\n', '\r');
    if (round % 11 != 5)
        return bytes;
    const bool little = round % 2 != 0;
    std::string wide = little ? "\xff\xfe" : "\xfe\xff";
    for (const char c : bytes)
        wide += little ? std::string{c, '\0'} : std::string{'\0', c};
    return wide;
}

// Fewer under the sanitizers still go through every kind of line and every
// compression.
constexpr int kRounds = RoundsForThisTree(3000);

// Thousands of files mixing good lines with every kind of trouble: the
// check finds what the plain reading of the rules finds, line for line.
TEST(CheckDifferential, FindsWhatThePlainRulesFind) {
    const TempDir dir;
    RandomDataFile random(20261209);
    std::set<std::string> wholeFileKinds;
    for (int round = 0; round < kRounds; ++round) {
        const std::string bytes = AsWrittenElsewhere(random.Make(), round);
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
        for (const char* kind : {"1 line-ends", "1 encoding"})
            if (std::find(found.begin(), found.end(), kind) != found.end())
                wholeFileKinds.insert(kind);
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
    EXPECT_EQ(wholeFileKinds, (std::set<std::string>{"1 encoding", "1 line-ends"}));
}

} // namespace
