#pragma once

#include "DataFileReader.h"

#include <string>
#include <vector>

namespace quib {

// Where a data file reads in a way its writer may not have meant: a title
// that became a record, a stray token that shifts the values after it, a
// short line filled with zeros, a number too large for 32 bits.
struct Finding {
    long long line = 0; // 1-based
    const char* kind = "";
    std::string explanation;
    // The 0-based position of the record the line gives; for a line that
    // gives none, of the next record read after it.
    int record = 0;
};

// Reads the file with the reader File Open uses and returns its findings in
// line order; the outcome tells whether the file could be read at all.
std::error_code CheckDataFile(const std::string& path, std::vector<Finding>& findings);
// The same from an open descriptor, read `chunkBytes` at a time.
std::error_code CheckDataDescriptor(int fd, std::vector<Finding>& findings,
                                    std::size_t chunkBytes = kDefaultReadChunk);

} // namespace quib
