#include "DataFileCase.h"

#include "DataFileReader.h"
#include "DataGenerator.h"
#include "FgetsSscanfReader.h"
#include "LineEndScan.h"
#include "ReferenceReader.h"
#include "TempDir.h"

#include <cstring>

namespace {

// What differs between a reading and the fast reader's records, or "".
std::string Compare(const CLatticeRecordArray& fast, const CLatticeRecordArray& other) {
    if (other.GetSize() != fast.GetSize())
        return std::to_string(other.GetSize()) + " records instead of " +
               std::to_string(fast.GetSize());
    for (int i = 0; i < fast.GetSize(); ++i) {
        if (std::memcmp(&fast[i], &other[i], sizeof(CLatticeRecord)) != 0)
            return "record " + std::to_string(i) + " differs";
    }
    return {};
}

std::string Compare(const CLatticeRecordArray& fast, const ReferenceDataset& reference) {
    if (static_cast<int>(reference.records.size()) != fast.GetSize())
        return std::to_string(reference.records.size()) + " records instead of " +
               std::to_string(fast.GetSize());
    for (int i = 0; i < fast.GetSize(); ++i) {
        const ReferenceRecord& r = reference.records[static_cast<std::size_t>(i)];
        if (r.number != fast[i].m_nRecordNumber ||
            std::memcmp(r.values, fast[i].m_nNodeValue, sizeof r.values) != 0)
            return "record " + std::to_string(i) + " differs";
    }
    return {};
}

} // namespace

std::string DataFileCase::Key() const {
    return "dim" + std::to_string(dimension) + "/" + std::to_string(records);
}

std::vector<DataFileCase> WriteDataFiles(const TempDir& folder, const std::vector<int>& dimensions,
                                         const std::vector<int>& recordCounts) {
    std::vector<DataFileCase> files;
    for (int dimension : dimensions) {
        for (int records : recordCounts) {
            DataFileCase file{dimension, records, {}, 0};
            const std::string bytes = GenerateDataFile(dimension, records);
            file.path = folder.Write(
                "dim" + std::to_string(dimension) + "-" + std::to_string(records) + ".dat", bytes);
            file.bytes = static_cast<long long>(bytes.size());
            files.push_back(file);
        }
    }
    return files;
}

std::string CheckReadersAgree(const DataFileCase& file) {
    const std::string where = file.path + ": ";
    CLatticeRecordArray fast;
    int fastDimension = -1;
    if (quib::ReadLatticeFile(file.path, fastDimension, fast, {}))
        return where + "the fast reader cannot read it";
    if (fastDimension != file.dimension || fast.GetSize() != file.records)
        return where + "the fast reader gives dimension " + std::to_string(fastDimension) +
               " and " + std::to_string(fast.GetSize()) + " records";

    const ReferenceDataset reference = ReferenceRead(ReadWholeFile(file.path));
    if (reference.dimension != file.dimension)
        return where + "the reference reading gives dimension " +
               std::to_string(reference.dimension);
    if (const std::string difference = Compare(fast, reference); !difference.empty())
        return where + "the reference reading: " + difference;

    CLatticeRecordArray lineByLine;
    int lineByLineDimension = -1;
    if (!ReadWithFgetsAndSscanf(file.path, lineByLineDimension, lineByLine))
        return where + "the fgets/sscanf reading cannot open it";
    if (lineByLineDimension != file.dimension)
        return where + "the fgets/sscanf reading gives dimension " +
               std::to_string(lineByLineDimension);
    if (const std::string difference = Compare(fast, lineByLine); !difference.empty())
        return where + "the fgets/sscanf reading: " + difference;

    std::vector<char> buffer(kLineEndScanBuffer);
    const long long lines = CountLineEnds(file.path, buffer);
    if (lines != file.records + kGeneratedHeaderAndEndLines)
        return where + "the line-end scan counts " + std::to_string(lines) + " lines";
    return {};
}
