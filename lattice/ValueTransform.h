#pragma once

#include "LatticeNodes.h"
#include "NodeSets.h"

#include <cstdint>
#include <string_view>

// The values of a record read over the subset lattice, v the values as read
// and the sums over all T in the lattice:
//   mobius:    m(S) = sum over T in S of (-1)^(|S|-|T|) v(T), the part of S
//              that its subsets do not explain;
//   subsets:   s(S) = sum over T in S of v(T);
//   supersets: u(S) = sum over T containing S of v(T).
// In 64 bits; a result that a missing value enters is missing itself and
// reads NO_RECORD_VALUE.

namespace quib {

enum class ValueTransform { Read, Mobius, Subsets, Supersets };

// `shown` gets the values of `read` as the transform shows them; the nodes a
// file does not give enter as the 0 they read. Returns the nodes whose values
// are missing: as read, those drawn "/"; transformed, those a missing value
// entered (a sum below -31999 is a value like any other).
NodeMask TransformValues(ValueTransform transform, const std::int32_t read[kNodeCount],
                         std::int64_t shown[kNodeCount]);

// The words of the command line and the titles of the summary lines.
bool ValueTransformOf(std::string_view word, ValueTransform& transform);
inline constexpr const char* kValueTransformWords = "read, mobius, subsets, supersets";
// ", Möbius inversion" and the like, empty for the values as read.
const char* ValueTransformTitle(ValueTransform transform);

} // namespace quib
