#pragma once

#include "Arguments.h"

#include <cstdio>

class LatticeDocument;

namespace quib {

// The modes that print what a data file holds. Each returns the exit status.
int RunInfo(const Arguments& arguments, std::FILE* out, std::FILE* err);
int RunSummary(const Arguments& arguments, std::FILE* out, std::FILE* err);
// Tells where FILE reads in a way its writer may not have meant: 0 when
// nothing, 3 when findings were printed.
int RunCheck(const Arguments& arguments, std::FILE* out, std::FILE* err);

// Reports the reader's warning on `err` as "quib: PATH: MESSAGE".
void ReportWarningsOn(LatticeDocument& document, std::FILE* err);

// Opens FILE and each import as the window's File Open and File Import do;
// reports a FILE that cannot be read and returns false.
bool LoadDocument(LatticeDocument& document, const Arguments& arguments, std::FILE* err);

} // namespace quib
