#include "CommandLineBenchmarks.h"

#include "ChildRun.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// A few terms that read the values, the highlight's test and the partner's
// values, and match a few records in a hundred; without an import (where a
// condition on the imported run is refused) the record before stands in for
// the partner.
constexpr const char* kFindCondition =
    "minimal(ab) and abc > 100 or differs(cd) and imported.cd < 0";
constexpr const char* kFindConditionAlone = "minimal(ab) and abc > 100 or changed(cd) and cd < 0";
// The statistics over a condition that reads the values and the highlight's
// test and keeps many records, so that both the condition and the figures
// work on most of the file.
constexpr const char* kStatisticsCondition = "abc > 100 or minimal(ab)";

struct Mode {
    const char* name;
    std::vector<std::string> options;
    bool withImport;
};

void MeasureRun(benchmark::State& state, const std::string& program,
                const std::vector<std::string>& args, const std::string& privateFolder) {
    const std::vector<std::string> environment = {"XDG_CONFIG_HOME=" + privateFolder,
                                                  "XDG_RUNTIME_DIR=" + privateFolder};
    double cpu = 0;
    double wall = 0;
    for (auto _ : state) {
        const ChildRun run = RunDiscardingOutput(program, args, environment);
        if (run.status != 0) {
            state.SkipWithError("the program failed");
            return;
        }
        state.SetIterationTime(run.cpuSeconds);
        cpu += run.cpuSeconds;
        wall += run.wallSeconds;
    }
    const double runs = double(state.iterations());
    state.counters["cpu_ms"] = cpu / runs * 1e3;
    state.counters["wall_ms"] = wall / runs * 1e3;
}

} // namespace

void RegisterCommandLineBenchmarks(const std::string& program, const std::string& name,
                                   const std::string& file, const std::string& import,
                                   const std::string& privateFolder) {
    const std::vector<Mode> modes = {
        {"info", {"--info"}, false},
        {"info_import", {"--info"}, true},
        {"text", {"--summary"}, false},
        {"text_highlight", {"--summary", "--highlight"}, false},
        {"csv", {"--summary", "--format", "csv"}, false},
        {"json", {"--summary", "--format", "json"}, false},
        {"text+import", {"--summary"}, true},
        {"text_highlight+import", {"--summary", "--highlight"}, true},
        {"csv+import", {"--summary", "--format", "csv"}, true},
        {"json+import", {"--summary", "--format", "json"}, true},
        {"find", {"--find", kFindConditionAlone}, false},
        {"find+import", {"--find", kFindCondition}, true},
        {"statistics", {"--statistics"}, false},
        {"statistics_find", {"--statistics", "--find", kStatisticsCondition}, false},
        {"statistics+import", {"--statistics"}, true},
        {"statistics_find+import", {"--statistics", "--find", kStatisticsCondition}, true},
        // A file manager's thumbnail: the first record alone is read.
        {"size", {"--export", privateFolder + "/thumbnail.png", "--size", "256"}, false},
    };
    for (const Mode& mode : modes) {
        std::vector<std::string> args = mode.options;
        // --info reads the imported file alone: what reading it costs.
        if (mode.withImport && mode.options[0] == "--info")
            args.push_back(import);
        else if (mode.withImport)
            args.insert(args.end(), {"--import", import, file});
        else
            args.push_back(file);
        benchmark::RegisterBenchmark(("cli/" + std::string(mode.name) + "/" + name).c_str(),
                                     MeasureRun, program, args, privateFolder)
            ->UseManualTime()
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    }
}
