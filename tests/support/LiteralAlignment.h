#pragma once

#include "LatticeRecordArray.h"

// The alignment as first written: for each primary record i, search the
// imported records from position i for its number and exchange the first one
// found into position i. Quadratic; the reference for the indexed pass.
void LiteralAlignment(const CLatticeRecordArray& primary, CLatticeRecordArray& imported);
