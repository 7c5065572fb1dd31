#pragma once

#include <vector>

class LatticeDocument;

namespace quib {

// The imported records that no primary record took as its partner, as
// indices into the imported dataset in the order its records were read.
std::vector<int> UnpairedImportedRecords(const LatticeDocument& document);

} // namespace quib
