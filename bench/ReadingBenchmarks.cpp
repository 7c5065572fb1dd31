#include "ReadingBenchmarks.h"

#include "DataFileReader.h"
#include "FgetsSscanfReader.h"
#include "LineEndScan.h"
#include "PeakMemory.h"
#include "ReferenceReader.h"
#include "TempDir.h"
#include "ValueScan.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>

namespace {

// Reads the file once into a fresh dataset that is freed afterwards, as a
// File Open after another does; false when the file could not be read.
using Reading = std::function<bool(const DataFileCase&)>;

bool ReadFast(const DataFileCase& file) {
    CLatticeRecordArray records;
    int dimension = -1;
    const bool read = !quib::ReadLatticeFile(file.path, dimension, records, {});
    benchmark::DoNotOptimize(records.GetSize());
    return read;
}

// The fast reader with the portable value scanner, where the processor has a
// faster one: what the reader gives on processors without it.
bool ReadFastPortable(const DataFileCase& file) {
    quib::UseValueScanner(quib::ValueScanner::Portable);
    const bool read = ReadFast(file);
    quib::UseValueScanner(quib::FastestValueScanner());
    return read;
}

bool ReadReference(const DataFileCase& file) {
    const ReferenceDataset dataset = ReferenceRead(ReadWholeFile(file.path));
    benchmark::DoNotOptimize(dataset.records.size());
    return !dataset.records.empty();
}

bool ReadFgetsSscanf(const DataFileCase& file) {
    CLatticeRecordArray records;
    int dimension = -1;
    const bool read = ReadWithFgetsAndSscanf(file.path, dimension, records);
    benchmark::DoNotOptimize(records.GetSize());
    return read;
}

bool ScanLineEnds(const DataFileCase& file) {
    static std::vector<char> buffer(kLineEndScanBuffer);
    const long long lines = CountLineEnds(file.path, buffer);
    benchmark::DoNotOptimize(lines);
    return lines >= 0;
}

struct NamedReading {
    const char* name;
    Reading reading;
    bool measureMemory;
    bool onlyBesideAFasterScanner = false;
};

const NamedReading kReadings[] = {
    {"fast", ReadFast, true},
    {"fast_portable", ReadFastPortable, false, true},
    {"reference", ReadReference, false},
    {"fgets_sscanf", ReadFgetsSscanf, true},
    {"line_end_scan", ScanLineEnds, false},
};

void MeasureSpeed(benchmark::State& state, const DataFileCase& file, const Reading& reading) {
    for (auto _ : state) {
        if (!reading(file)) {
            state.SkipWithError("the file could not be read");
            return;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * file.bytes);
}

void MeasureMemory(benchmark::State& state, const DataFileCase& file, const Reading& reading) {
    long long added = -1;
    for (auto _ : state)
        added = PeakBytesAddedBy([&] { reading(file); });
    if (added < 0) {
        state.SkipWithError("peak memory could not be measured");
        return;
    }
    state.counters["bytes_per_record"] = static_cast<double>(added) / file.records;
}

} // namespace

void RegisterReadingBenchmarks(const std::vector<DataFileCase>& files) {
    int largest = 0;
    for (const DataFileCase& file : files)
        largest = std::max(largest, file.records);
    for (const DataFileCase& file : files) {
        for (const NamedReading& r : kReadings) {
            if (r.onlyBesideAFasterScanner &&
                quib::FastestValueScanner() == quib::ValueScanner::Portable)
                continue;
            const std::string key = std::string(r.name) + "/" + file.Key();
            benchmark::RegisterBenchmark(("read/" + key).c_str(), MeasureSpeed, file, r.reading)
                ->Unit(benchmark::kMillisecond);
        }
    }
    // Peak memory does not vary between runs: one measurement each.
    for (const DataFileCase& file : files) {
        if (file.records != largest)
            continue;
        for (const NamedReading& r : kReadings) {
            if (!r.measureMemory)
                continue;
            const std::string key = std::string(r.name) + "/" + file.Key();
            benchmark::RegisterBenchmark(("memory/" + key).c_str(), MeasureMemory, file, r.reading)
                ->Iterations(1)
                ->Repetitions(1)
                ->Unit(benchmark::kMillisecond);
        }
    }
}
