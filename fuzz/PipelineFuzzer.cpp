// The whole path of a file through the program, fuzzed: a primary file and up
// to three imports opened, imported and paired, then --summary (with the
// minimal nodes and the differences) and --check, each compared with plain
// reference code.

#include "Arguments.h"
#include "Compression.h"
#include "DataCommands.h"
#include "FileCheck.h"
#include "LatticeDocument.h"
#include "LiteralPairing.h"
#include "ReferenceCheck.h"
#include "ReferenceReader.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "pipeline differs from the reference: %s\n", what);
    __builtin_trap();
}

// A file of these bytes that lives as long as the object.
class MemoryFile {
  public:
    explicit MemoryFile(const std::string& bytes) : m_fd(memfd_create("quib", MFD_CLOEXEC)) {
        if (m_fd < 0 || write(m_fd, bytes.data(), bytes.size()) != ssize_t(bytes.size()))
            Fail("no memory file");
    }
    ~MemoryFile() { close(m_fd); }
    std::string Path() const { return "/proc/self/fd/" + std::to_string(m_fd); }

  private:
    int m_fd;
};

// The subsets as bit masks in node order: level by level, alphabetically.
std::vector<unsigned> NodeMasks() {
    std::vector<unsigned> masks(32);
    for (unsigned m = 0; m < 32; ++m)
        masks[m] = m;
    std::stable_sort(masks.begin(), masks.end(), [](unsigned a, unsigned b) {
        if (std::popcount(a) != std::popcount(b))
            return std::popcount(a) < std::popcount(b);
        // Alphabetical: the set with the smaller first differing letter.
        const unsigned differ = a ^ b;
        return (a & differ & -differ) != 0;
    });
    return masks;
}

std::string Label(unsigned mask) {
    std::string label;
    for (int v = 0; v < 5; ++v)
        if (mask >> v & 1)
            label += char('a' + v);
    return label.empty() ? "{}" : label;
}

// Whether a file of that dimension gives node n's value: its values fill
// the last `dimension` nodes.
bool Gives(int dimension, int n) {
    return dimension > 0 && n >= 32 - dimension;
}

// The summary as the rules say it: for each record its line, the minimal
// nodes (positive, no positive subset one variable smaller), then its
// partner's, then the differing nodes among those both files give.
std::string ReferenceSummary(const ReferenceDataset& primary,
                             const std::vector<ReferenceRecord>& imported, int importedDimension,
                             const std::vector<int>& partners) {
    static const std::vector<unsigned> masks = NodeMasks();
    const auto node = [](unsigned mask) {
        return int(std::find(masks.begin(), masks.end(), mask) - masks.begin());
    };
    const auto lines = [&](const std::int32_t* values, std::int32_t number) {
        std::string text = "Record nr " + std::to_string(number) + " <";
        for (int n = 0; n < 32; ++n)
            text += " " + std::to_string(values[n]);
        text += ">\nMinimal nodes:";
        for (int n = 0; n < 32; ++n) {
            bool minimal = values[n] > 0;
            for (int v = 0; v < 5 && minimal; ++v)
                if (masks[n] >> v & 1)
                    minimal = values[node(masks[n] & ~(1u << v))] <= 0;
            if (minimal)
                text += " " + Label(masks[n]);
        }
        return text + "\n";
    };
    std::string out;
    for (std::size_t k = 0; k < primary.records.size(); ++k) {
        const ReferenceRecord& record = primary.records[k];
        out += lines(record.values, record.number);
        if (importedDimension <= 0)
            continue;
        std::int32_t missing[32];
        std::fill(missing, missing + 32, -32001);
        const std::int32_t* partner =
            partners[k] < 0 ? missing : imported[std::size_t(partners[k])].values;
        out += lines(partner, record.number) + "Differing nodes:";
        if (partners[k] < 0)
            out += " -";
        for (int n = 0; n < 32 && partners[k] >= 0; ++n)
            if (record.values[n] != partner[n] && Gives(primary.dimension, n) &&
                Gives(importedDimension, n))
                out += " " + Label(masks[n]);
        out += "\n";
    }
    return out;
}

std::vector<std::string> SplitParts(const std::string& bytes, std::size_t count) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (parts.size() + 1 < count) {
        const std::size_t at = bytes.find("\xfe\xff", start);
        if (at == std::string::npos)
            break;
        parts.push_back(bytes.substr(start, at - start));
        start = at + 2;
    }
    parts.push_back(bytes.substr(start));
    return parts;
}

} // namespace

// The first byte says how many imports follow the primary file (its low two
// bits); the files are separated by the bytes FE FF.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::vector<std::string> parts = SplitParts(
        std::string(reinterpret_cast<const char*>(data + 1), size - 1), 1 + (data[0] & 3));
    // The plain rules read text: compressed files are the reader's target's.
    for (const std::string& part : parts)
        if (quib::CompressionOf(reinterpret_cast<const unsigned char*>(part.data()),
                                std::min(part.size(), quib::kMagicBytes)) !=
            quib::Compression::None)
            return 0;
    std::vector<MemoryFile> files;
    files.reserve(parts.size());
    for (const std::string& part : parts)
        files.emplace_back(part);

    // What the window and the command line do.
    LatticeDocument document;
    if (document.OpenDataFile(files[0].Path()))
        Fail("the primary file could not be read");
    for (std::size_t k = 1; k < files.size(); ++k)
        if (document.ImportDataFile(files[k].Path()))
            Fail("an import could not be read");

    // What the rules say.
    const ReferenceDataset primary = ReferenceRead(parts[0]);
    std::vector<ReferenceRecord> imported;
    int importedDimension = -1;
    for (std::size_t k = 1; k < parts.size(); ++k) {
        const ReferenceDataset read = ReferenceRead(parts[k], int(imported.size()));
        imported.insert(imported.end(), read.records.begin(), read.records.end());
        importedDimension = read.dimension;
    }
    if (document.m_nPrimaryDim != primary.dimension ||
        document.m_primaryRecords.GetSize() != int(primary.records.size()) ||
        document.m_nImportedDim != importedDimension ||
        document.m_importedRecords.GetSize() != int(imported.size()))
        Fail("the datasets");
    const std::vector<int> partners =
        LiteralPairing(document.m_primaryRecords, document.m_importedRecords);
    for (std::size_t k = 0; k < partners.size(); ++k)
        if (document.ImportedPartner(int(k)) != partners[k])
            Fail("the pairs");

    // --summary --highlight --differences, as the program prints it.
    quib::Arguments arguments;
    arguments.mode = quib::Arguments::Mode::Summary;
    arguments.highlight = true;
    arguments.differences = true;
    arguments.file = files[0].Path();
    for (std::size_t k = 1; k < files.size(); ++k)
        arguments.imports.push_back(files[k].Path());
    char* text = nullptr;
    std::size_t length = 0;
    std::FILE* out = open_memstream(&text, &length);
    std::FILE* err = std::fopen("/dev/null", "w");
    const int status = quib::RunSummary(arguments, out, err);
    std::fclose(out);
    std::fclose(err);
    const std::string printed(text, length);
    std::free(text);
    if (status != 0 || printed != ReferenceSummary(primary, imported, importedDimension, partners))
        Fail("the summary");

    // --check.
    std::vector<quib::Finding> findings;
    if (quib::CheckDataFile(files[0].Path(), findings))
        Fail("the check could not read the file");
    std::vector<std::string> kinds;
    for (const quib::Finding& finding : findings)
        kinds.push_back(std::to_string(finding.line) + " " + finding.kind);
    std::sort(kinds.begin(), kinds.end());
    if (kinds != ReferenceCheck(parts[0]))
        Fail("the check");
    return 0;
}
