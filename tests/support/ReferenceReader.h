#pragma once

#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

// A plain reading of a data file's bytes, line by line, that follows the
// reading steps one at a time with ordinary string operations. Slow and
// obvious on purpose: the fast reader must agree with it on every input.
// What the reading skips as blank, as scanf does.
inline bool IsBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

struct ReferenceRecord {
    std::int32_t values[32] = {};
    std::int32_t number = 0;
    bool operator==(const ReferenceRecord&) const = default;
};

struct ReferenceDataset {
    int dimension = 0;
    std::vector<ReferenceRecord> records;
    int warnings = 0;
};

// Reads `bytes` as a file into a dataset that already holds `existing`
// records of an earlier read (they only count for the numbering).
ReferenceDataset ReferenceRead(const std::string& bytes, int existing = 0);
