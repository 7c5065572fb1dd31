#pragma once

#include "LatticeRecordArray.h"

// Reorders the imported records so that each primary record i gets, at index
// i, the first imported record at or after i that carries its number; the
// exchanges are exactly those of a search from i for every i in turn, found
// through an index by record number instead of the search.
void AlignRecordsByNumber(const CLatticeRecordArray& primary, CLatticeRecordArray& imported);
