#include "ValueTransform.h"

namespace quib {

namespace {

constexpr int kVariables = 5;

// One pass per variable over the values indexed by their subsets: 5 passes
// of 16 steps each. Upward, each set takes in the set without that variable
// (sums over subsets and their inverse); downward, the other way round.
template <class Step> void Butterfly(std::int64_t values[kNodeCount], bool upward, Step step) {
    for (int v = 0; v < kVariables; ++v) {
        const VariableSet bit = 1u << v;
        for (VariableSet set = 0; set < kNodeCount; ++set) {
            if ((set & bit) == 0)
                continue;
            if (upward)
                step(values[set], values[set ^ bit]);
            else
                step(values[set ^ bit], values[set]);
        }
    }
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
    std::int64_t missing[kNodeCount];
    for (int n = 0; n < kNodeCount; ++n) {
        bySet[VariablesOf(n)] = read[n];
        missing[VariablesOf(n)] = IsMissing(read[n]);
    }
    const bool upward = transform != ValueTransform::Supersets;
    if (transform == ValueTransform::Mobius)
        Butterfly(bySet, upward, [](std::int64_t& to, std::int64_t from) { to -= from; });
    else
        Butterfly(bySet, upward, [](std::int64_t& to, std::int64_t from) { to += from; });
    Butterfly(missing, upward, [](std::int64_t& to, std::int64_t from) { to |= from; });
    for (int n = 0; n < kNodeCount; ++n) {
        shown[n] = missing[VariablesOf(n)] ? NO_RECORD_VALUE : bySet[VariablesOf(n)];
        missingNodes |= NodeMask(missing[VariablesOf(n)]) << n;
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
