#include "ValueTransform.h"

namespace quib {

namespace {

// Each node's subset, looked up in a table of this file rather than through
// a call per node: the transform runs for every record of a file.
struct NodeSubsets {
    VariableSet of[kNodeCount];
};

NodeSubsets MakeNodeSubsets() {
    NodeSubsets subsets;
    for (int n = 0; n < kNodeCount; ++n)
        subsets.of[n] = VariablesOf(n);
    return subsets;
}

const NodeSubsets kSubsets = MakeNodeSubsets();

// The 32 sets as a bit mask: those without variable v.
constexpr std::uint32_t kLacking[kVariableCount] = {0x55555555u, 0x33333333u, 0x0f0f0f0fu,
                                                    0x00ff00ffu, 0x0000ffffu};

// One pass per variable over the values indexed by their subsets, each set
// without the variable beside the same set with it: 5 passes of 16 steps,
// of fixed lengths and without a test, so that the compiler can unroll them.
// Upward, each set takes in the set without that variable (sums over subsets
// and their inverse); downward, the other way round.
template <int kBit, bool kUpward, class Step>
void Pass(std::int64_t values[kNodeCount], Step step) {
    for (int base = 0; base < kNodeCount; base += 2 * kBit) {
        for (int without = base; without < base + kBit; ++without) {
            if constexpr (kUpward)
                step(values[without + kBit], values[without]);
            else
                step(values[without], values[without + kBit]);
        }
    }
}

template <bool kUpward, class Step> void Butterfly(std::int64_t values[kNodeCount], Step step) {
    Pass<1, kUpward>(values, step);
    Pass<2, kUpward>(values, step);
    Pass<4, kUpward>(values, step);
    Pass<8, kUpward>(values, step);
    Pass<16, kUpward>(values, step);
}

// The sets whose sums a missing value of the sets in `missing` enters: the
// same passes, on one bit per set.
template <bool kUpward> std::uint32_t Spread(std::uint32_t missing) {
    for (int v = 0; v < kVariableCount; ++v) {
        const int bit = 1 << v;
        missing |= kUpward ? (missing & kLacking[v]) << bit : (missing >> bit) & kLacking[v];
    }
    return missing;
}

} // namespace

NodeMask TransformValues(ValueTransform transform, const std::int32_t read[kNodeCount],
                         std::int64_t shown[kNodeCount]) {
    NodeMask missingNodes = 0;
    if (transform == ValueTransform::Read) {
        for (int n = 0; n < kNodeCount; ++n) {
            shown[n] = read[n];
            missingNodes |= NodeMask{IsMissing(read[n])} << n;
        }
        return missingNodes;
    }
    std::int64_t bySet[kNodeCount];
    std::uint32_t missing = 0;
    for (int n = 0; n < kNodeCount; ++n) {
        bySet[kSubsets.of[n]] = read[n];
        missing |= std::uint32_t{IsMissing(read[n])} << kSubsets.of[n];
    }
    const auto add = [](std::int64_t& to, std::int64_t from) { to += from; };
    switch (transform) {
    case ValueTransform::Mobius:
        Butterfly<true>(bySet, [](std::int64_t& to, std::int64_t from) { to -= from; });
        missing = Spread<true>(missing);
        break;
    case ValueTransform::Subsets:
        Butterfly<true>(bySet, add);
        missing = Spread<true>(missing);
        break;
    default:
        Butterfly<false>(bySet, add);
        missing = Spread<false>(missing);
        break;
    }
    for (int n = 0; n < kNodeCount; ++n) {
        const NodeMask isMissing = missing >> kSubsets.of[n] & 1;
        shown[n] = isMissing != 0 ? NO_RECORD_VALUE : bySet[kSubsets.of[n]];
        missingNodes |= isMissing << n;
    }
    return missingNodes;
}

bool ValueTransformOf(std::string_view word, ValueTransform& transform) {
    constexpr std::pair<std::string_view, ValueTransform> kWords[] = {
        {"read", ValueTransform::Read},
        {"mobius", ValueTransform::Mobius},
        {"subsets", ValueTransform::Subsets},
        {"supersets", ValueTransform::Supersets}};
    for (const auto& [name, value] : kWords) {
        if (word == name) {
            transform = value;
            return true;
        }
    }
    return false;
}

const char* ValueTransformTitle(ValueTransform transform) {
    switch (transform) {
    case ValueTransform::Read:
        break;
    case ValueTransform::Mobius:
        return ", Möbius inversion";
    case ValueTransform::Subsets:
        return ", sums over subsets";
    case ValueTransform::Supersets:
        return ", sums over supersets";
    }
    return "";
}

} // namespace quib
