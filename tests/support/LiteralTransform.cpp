#include "LiteralTransform.h"

#include "NodeSets.h"

#include <bit>

using namespace quib;

bool LiteralTransform(ValueTransform transform, const std::int32_t read[kNodeCount], int node,
                      std::int64_t& value) {
    if (transform == ValueTransform::Read) {
        value = read[node];
        return !IsMissing(read[node]);
    }
    const VariableSet s = VariablesOf(node);
    value = 0;
    for (int t = 0; t < kNodeCount; ++t) {
        const VariableSet other = VariablesOf(t);
        const bool enters =
            transform == ValueTransform::Supersets ? (s & ~other) == 0 : (other & ~s) == 0;
        if (!enters)
            continue;
        if (IsMissing(read[t]))
            return false;
        const bool odd = std::popcount(s ^ other) % 2 == 1;
        value += transform == ValueTransform::Mobius && odd ? -std::int64_t{read[t]} : read[t];
    }
    return true;
}
