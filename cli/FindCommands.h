#pragma once

#include "Arguments.h"
#include "Condition.h"

#include <cstdio>
#include <optional>
#include <vector>

class LatticeDocument;

namespace quib {

// The status of a run that found no record: --find, --unpaired, and the
// summary and export that --find filters.
inline constexpr int kNothingFoundStatus = 3;

// A line per record found, its 1-based position and its record number: the
// primary records that --find's condition matches, or the imported records
// that no primary record took (--unpaired).
int RunFind(const Arguments& arguments, std::FILE* out, std::FILE* err);
int RunUnpaired(const Arguments& arguments, std::FILE* out, std::FILE* err);

// --find's condition, where one is given, parsed before any file is read,
// then FILE and the imports loaded: 0, or the status to exit with (the
// usage status after telling where the condition is malformed, "quib:
// --find: column 4: unknown name 'abf'", or that it reads the imported run
// without --import; 1 when FILE cannot be read).
int LoadWithCondition(const Arguments& arguments, std::optional<Condition>& condition,
                      LatticeDocument& document, std::FILE* err);

// The 1-based positions of the primary records that match, on the values
// that the arguments show.
std::vector<int> FindMatches(const LatticeDocument& document, const Condition& condition,
                             const Arguments& arguments);

} // namespace quib
