#pragma once

#include "LatticeRecordArray.h"

#include <string>

// The reading as the algorithm is written: fgets into a 1024-byte buffer,
// strstr for the markers, sscanf for every integer. A speed anchor for the
// generated files only (their lines are short and their numbers fit); the
// cases where it differs from the program's reader are not handled here.
// Returns false when the file cannot be opened.
bool ReadWithFgetsAndSscanf(const std::string& path, int& dimension, CLatticeRecordArray& records);
