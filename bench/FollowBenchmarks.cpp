#include "FollowBenchmarks.h"

#include "DataFileReader.h"
#include "DataGenerator.h"
#include "LatticeDocument.h"
#include "RecordPairing.h"
#include "TempDir.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kDimension = 26;

struct FollowCase {
    std::string folder;
    std::string growing; // the header and records, with no end line
    std::string import;
    std::string appendedFile; // the appended records alone, as a file of their own
    int records = 0;
    int appended = 0;
};

// Each run follows a file of its own, as it grows with every iteration.
std::string FreshCopy(const FollowCase& file, const char* name) {
    const std::string path = file.folder + "/" + name;
    std::ifstream in(file.growing, std::ios::binary);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << in.rdbuf();
    return path;
}

void MeasureAppend(benchmark::State& state, const FollowCase& file, bool withImport) {
    const std::string path = FreshCopy(file, withImport ? "follow-paired.dat" : "follow.dat");
    const std::vector<std::string> imports =
        withImport ? std::vector<std::string>{file.import} : std::vector<std::string>{};
    LatticeDocument document;
    LatticeDocument::FollowedFile at;
    bool changed = false;
    std::string failedPath;
    if (document.FollowDataFile(path, imports, at, changed, failedPath)) {
        state.SkipWithError("the file could not be followed");
        return;
    }
    int next = file.records + 1;
    for (auto _ : state) {
        state.PauseTiming();
        std::ofstream(path, std::ios::binary | std::ios::app)
            << GenerateRecordLines(kDimension, next, file.appended, next);
        next += file.appended;
        state.ResumeTiming();
        if (document.FollowDataFile(path, imports, at, changed, failedPath) || !changed ||
            document.m_primaryRecords.GetSize() != next - 1) {
            state.SkipWithError("the appended records were not read");
            return;
        }
    }
    state.counters["records_at_end"] = next - 1;
    std::remove(path.c_str());
}

void MeasureReadAlone(benchmark::State& state, const FollowCase& file) {
    for (auto _ : state) {
        CLatticeRecordArray records;
        int dimension = -1;
        if (quib::ReadLatticeFile(file.appendedFile, dimension, records, {}) ||
            records.GetSize() != file.appended) {
            state.SkipWithError("the appended records could not be read");
            return;
        }
    }
}

void MeasurePairAlone(benchmark::State& state, const FollowCase& file) {
    LatticeDocument document;
    if (document.OpenDataFile(file.growing) || document.ImportDataFile(file.import)) {
        state.SkipWithError("the files could not be read");
        return;
    }
    std::vector<int> partners;
    for (auto _ : state)
        if (!quib::PairRecordsByNumber(document.m_primaryRecords, document.m_importedRecords,
                                       partners)) {
            state.SkipWithError("out of memory");
            return;
        }
}

void MeasureReload(benchmark::State& state, const FollowCase& file) {
    LatticeDocument document;
    std::string failedPath;
    for (auto _ : state)
        if (document.ReloadDataFiles(file.growing, {file.import}, failedPath)) {
            state.SkipWithError("the files could not be read");
            return;
        }
}

} // namespace

void RegisterFollowBenchmarks(const TempDir& folder, int records, int appended) {
    FollowCase file;
    file.folder = folder.Path();
    file.records = records;
    file.appended = appended;
    std::string text = GenerateDataFile(kDimension, records);
    file.import = folder.Write("follow-import.dat", text);
    text.resize(text.size() - 4); // the end line
    file.growing = folder.Write("follow-start.dat", text);
    file.appendedFile = folder.Write("follow-appended.dat",
                                     "Appended\nDIM=26\nCONV_SECTION\n" +
                                         GenerateRecordLines(kDimension, records + 1, appended));
    const std::string key = "dim26/" + std::to_string(records) + "+" + std::to_string(appended);
    const auto add = [&](const char* what, auto measure, auto... args) {
        benchmark::RegisterBenchmark(("follow/" + std::string(what) + "/" + key).c_str(), measure,
                                     file, args...)
            ->Unit(benchmark::kMillisecond);
    };
    add("append_paired", MeasureAppend, true);
    add("append_alone", MeasureAppend, false);
    add("read_appended_alone", MeasureReadAlone);
    add("pair_alone", MeasurePairAlone);
    add("reload_paired", MeasureReload);
}
