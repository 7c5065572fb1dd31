#pragma once

#include <string>
#include <vector>

class TempDir;

// One generated data file that the reading benchmarks read.
struct DataFileCase {
    int dimension = 0;
    int records = 0;
    std::string path;
    long long bytes = 0;

    // "dim26/100000": the part of a benchmark name that names the file.
    std::string Key() const;
};

// Writes a file for every dimension and record count into `folder`.
std::vector<DataFileCase> WriteDataFiles(const TempDir& folder, const std::vector<int>& dimensions,
                                         const std::vector<int>& recordCounts);

// Reads the file with the fast reader, the reference reading and the
// fgets/sscanf reading, and scans it for line ends: returns what disagrees,
// or an empty string when all give the file's records.
std::string CheckReadersAgree(const DataFileCase& file);
