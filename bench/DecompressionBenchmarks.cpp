#include "DecompressionBenchmarks.h"

#include "ByteSource.h"
#include "ChildRun.h"
#include "Compress.h"
#include "TempDir.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Format {
    quib::Compression compression;
    const char* name;
    const char* tool;
};

const Format kFormats[] = {{quib::Compression::Gzip, "gz", QUIB_ZCAT},
                           {quib::Compression::Xz, "xz", QUIB_XZCAT},
                           {quib::Compression::Zstd, "zst", QUIB_ZSTDCAT}};

// The decompression loop alone, into one reused chunk: what the library
// costs before anything is parsed. False when the data is not whole.
bool DecompressOnly(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    std::error_code error;
    constexpr std::size_t kChunk = std::size_t{256} << 10;
    const auto source =
        quib::OpenByteSource(fd, kChunk, quib::Decompression::InCallingThread, error);
    if (source)
        error = quib::ReadToEnd(*source);
    close(fd);
    return source && !error;
}

double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

void MeasureDecompression(benchmark::State& state, const std::string& plainPath,
                          const std::string& path, const char* tool,
                          const std::string& privateFolder) {
    const std::vector<std::string> environment = {"XDG_CONFIG_HOME=" + privateFolder,
                                                  "XDG_RUNTIME_DIR=" + privateFolder};
    const auto run = [&](const std::string& program, const std::vector<std::string>& args) {
        return RunDiscardingOutput(program, args, environment);
    };
    double quibWall = 0, quibCpu = 0, toolWall = 0, toolCpu = 0, libraryWall = 0, libraryCpu = 0;
    double plainWall = 0, plainCpu = 0;
    for (auto _ : state) {
        const ChildRun plain = run(QUIB_EXECUTABLE, {"--info", plainPath});
        const ChildRun quib = run(QUIB_EXECUTABLE, {"--info", path});
        const ChildRun reference = run(tool, {path});
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = ThreadCpuSeconds();
        const bool decompressed = DecompressOnly(path);
        if (plain.status != 0 || quib.status != 0 || reference.status != 0 || !decompressed) {
            state.SkipWithError("quib, the tool or the library could not read the file");
            return;
        }
        libraryCpu += ThreadCpuSeconds() - cpuStart;
        libraryWall +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(quib.wallSeconds);
        plainWall += plain.wallSeconds;
        plainCpu += plain.cpuSeconds;
        quibWall += quib.wallSeconds;
        quibCpu += quib.cpuSeconds;
        toolWall += reference.wallSeconds;
        toolCpu += reference.cpuSeconds;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["quib_ms"] = quibWall / n * 1e3;
    state.counters["quib_cpu_ms"] = quibCpu / n * 1e3;
    state.counters["tool_ms"] = toolWall / n * 1e3;
    state.counters["tool_cpu_ms"] = toolCpu / n * 1e3;
    state.counters["plain_ms"] = plainWall / n * 1e3;
    state.counters["plain_cpu_ms"] = plainCpu / n * 1e3;
    state.counters["library_ms"] = libraryWall / n * 1e3;
    state.counters["library_cpu_ms"] = libraryCpu / n * 1e3;
    state.counters["wall_ratio"] = toolWall > 0 ? quibWall / toolWall : 0;
    state.counters["cpu_ratio"] = toolCpu > 0 ? quibCpu / toolCpu : 0;
}

} // namespace

void RegisterDecompressionBenchmarks(const TempDir& folder, const DataFileCase& file) {
    const std::string text = ReadWholeFile(file.path);
    for (const Format& format : kFormats) {
        const std::string name = "data." + std::string(format.name);
        const std::string path = folder.Write(name, CompressText(text, format.compression));
        benchmark::RegisterBenchmark(
            ("decompress/" + std::string(format.name) + "/" + file.Key()).c_str(),
            MeasureDecompression, file.path, path, format.tool, folder.Path())
            ->UseManualTime()
            ->ComputeStatistics("min",
                                [](const std::vector<double>& values) {
                                    return *std::min_element(values.begin(), values.end());
                                })
            ->ComputeStatistics("max",
                                [](const std::vector<double>& values) {
                                    return *std::max_element(values.begin(), values.end());
                                })
            ->Unit(benchmark::kMillisecond);
    }
}
