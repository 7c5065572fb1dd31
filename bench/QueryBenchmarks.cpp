#include "QueryBenchmarks.h"

#include "ConditionScan.h"
#include "DataGenerator.h"
#include "LatticeDocument.h"
#include "TempDir.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

namespace {

using namespace quib;

// Nodes of both runs, the highlight's test and a difference: a few terms
// that match about one record in ten.
constexpr const char* kCondition = "ab > 0 and minimal(abc) or differs(cd) and imported.cd < 0";

struct FindCase {
    DataFileCase file;
    std::string importPath;
};

bool Load(const FindCase& find, LatticeDocument& document) {
    return !document.OpenDataFile(find.file.path) && !document.ImportDataFile(find.importPath);
}

void MeasureLoad(benchmark::State& state, const FindCase& find) {
    for (auto _ : state) {
        LatticeDocument document;
        if (!Load(find, document)) {
            state.SkipWithError("the files could not be read");
            return;
        }
        benchmark::DoNotOptimize(document.m_primaryRecords.GetSize());
    }
}

// A pass that finds nothing or everything measures nothing useful.
bool Plausible(int matches, int records) {
    return matches > records / 100 && matches < records - records / 100;
}

void MeasureLoadAndFind(benchmark::State& state, const FindCase& find, ValueTransform transform) {
    int matches = 0;
    for (auto _ : state) {
        LatticeDocument document;
        const ParsedCondition parsed = ParseCondition(kCondition);
        if (!Load(find, document) || !parsed.condition) {
            state.SkipWithError("the files or the condition could not be read");
            return;
        }
        matches = ConditionScan(document, transform).CountMatches(*parsed.condition);
        benchmark::DoNotOptimize(matches);
    }
    if (!Plausible(matches, find.file.records))
        state.SkipWithError("the condition matched too few or too many records");
}

void MeasurePass(benchmark::State& state, const FindCase& find, ValueTransform transform) {
    LatticeDocument document;
    const ParsedCondition parsed = ParseCondition(kCondition);
    if (!Load(find, document) || !parsed.condition) {
        state.SkipWithError("the files or the condition could not be read");
        return;
    }
    ConditionScan scan(document, transform);
    std::vector<int> positions;
    for (auto _ : state) {
        scan.MatchingPositions(*parsed.condition, positions);
        benchmark::DoNotOptimize(positions.data());
    }
    if (!Plausible(static_cast<int>(positions.size()), find.file.records))
        state.SkipWithError("the condition matched too few or too many records");
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * find.file.records);
}

} // namespace

void RegisterQueryBenchmarks(const TempDir& folder, const std::vector<DataFileCase>& files) {
    int largest = 0;
    for (const DataFileCase& file : files)
        largest = std::max(largest, file.records);
    const std::pair<const char*, ValueTransform> kValues[] = {{"read", ValueTransform::Read},
                                                              {"mobius", ValueTransform::Mobius}};
    for (const DataFileCase& file : files) {
        if (file.records != largest)
            continue;
        // Another run of the same records: every one has a partner, and
        // some of its values differ.
        const FindCase find{file, folder.Write("import-" + std::to_string(file.dimension) + ".dat",
                                               GenerateDataFile(file.dimension, file.records, 2))};
        benchmark::RegisterBenchmark(("find/load/" + file.Key()).c_str(), MeasureLoad, find)
            ->Unit(benchmark::kMillisecond);
        for (const auto& [name, transform] : kValues) {
            const std::string key = std::string(name) + "/" + file.Key();
            benchmark::RegisterBenchmark(("find/load_and_find/" + key).c_str(), MeasureLoadAndFind,
                                         find, transform)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("find/pass/" + key).c_str(), MeasurePass, find, transform)
                ->Unit(benchmark::kMillisecond);
        }
    }
}
