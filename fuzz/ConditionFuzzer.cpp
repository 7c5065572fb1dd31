// The condition parser on arbitrary bytes: it never fails in itself, an
// error's column lies within the text or just past its end, and a condition
// it accepts evaluates on a small fixed document, with the values as read
// and under every transform, to the records the plain interpreter finds.

#include "ConditionScan.h"
#include "LatticeDocument.h"
#include "ReferenceCondition.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace quib;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "condition fuzzer: %s\n", what);
    __builtin_trap();
}

constexpr ValueTransform kTransforms[] = {ValueTransform::Read, ValueTransform::Mobius,
                                          ValueTransform::Subsets, ValueTransform::Supersets};

// Six records: values at the limits of 32 bits, drawn "/" and whose sums
// fall below -31999, two equal records in a row, one without a partner, the
// last rising along the diagram's lines but for a missing value; the import
// of dimension 26.
constexpr int kRecords = 6;

void Build(LatticeDocument& document) {
    const std::int32_t pattern[] = {3, 0, -1, INT_MAX, INT_MIN, -32001, 1, 1, 0, -32000, 7, -20000};
    document.m_nPrimaryDim = 32;
    document.m_nImportedDim = 26;
    for (int i = 0; i < kRecords; ++i) {
        CLatticeRecord record;
        for (int n = 0; n < kNodeCount; ++n)
            record.m_nNodeValue[n] = i == kRecords - 1 ? (n == 9 ? -32001 : n / 6)
                                                       : pattern[(n * (i == 1 ? 0 : i) + n) % 12];
        record.m_nRecordNumber = i == 3 ? 9 : i + 1;
        document.m_primaryRecords.Add(record);
        for (int n = 0; n < 6; ++n)
            record.m_nNodeValue[n] = 0;
        record.m_nNodeValue[20 + i] = i;
        record.m_nRecordNumber = i + 1;
        document.m_importedRecords.Add(record);
    }
    if (!document.AlignImportedRecords())
        Fail("no memory for the fixed document");
}

struct Fixture {
    LatticeDocument document;
    std::vector<ReferenceConditionInput> inputs;

    Fixture() {
        Build(document);
        for (ValueTransform transform : kTransforms)
            inputs.push_back(ReferenceConditionInputOf(document, transform));
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Fixture fixture;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const ParsedCondition parsed = ParseCondition(text);
    const bool wellFormed = ReferenceConditionWellFormed(text);
    if (!parsed.condition) {
        if (wellFormed)
            Fail("a well-formed condition refused");
        if (parsed.error.column < 1 || parsed.error.column > size + 1)
            Fail("an error's column outside the text");
        if (parsed.error.message.empty())
            Fail("an error without a message");
        return 0;
    }
    if (!wellFormed)
        Fail("a malformed condition accepted");
    std::vector<int> matches;
    for (std::size_t t = 0; t < std::size(kTransforms); ++t) {
        ConditionScan scan(fixture.document, kTransforms[t]);
        scan.MatchingPositions(*parsed.condition, matches);
        std::vector<int> expected;
        for (std::size_t k = 0; k < fixture.inputs[t].records.size(); ++k)
            if (ReferenceConditionValue(text, fixture.inputs[t], k).value_or(0) != 0)
                expected.push_back(static_cast<int>(k) + 1);
        if (matches != expected)
            Fail("the matches differ from the plain interpreter's");
        const int first = expected.empty() ? 0 : expected.front();
        const int last = expected.empty() ? 0 : expected.back();
        if (scan.NextMatch(*parsed.condition, 0) != first ||
            scan.PreviousMatch(*parsed.condition, kRecords + 1) != last)
            Fail("a step to the first or the last match went wrong");
    }
    return 0;
}
