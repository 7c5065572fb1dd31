#pragma once

// How the panels name records: "Record 17 (nr 1017)" for one, "Records 1,201
// to 1,400" for a run, positions 1-based.

#include "RecordGrid.h"

#include <QString>

class LatticeDocument;

namespace quib {

// 1,000,000 with its thousands told apart.
QString CountText(long long count);
QString RecordsText(const LatticeDocument& document, RecordRun run);

} // namespace quib
