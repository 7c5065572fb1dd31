#include "MedianSummary.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <ostream>

namespace {

// "read/fast/dim26/100000" -> {"fast", "dim26/100000"}; the first part must
// be `prefix`.
bool Split(const std::string& name, const std::string& prefix, std::string& what,
           std::string& rest) {
    if (name.compare(0, prefix.size(), prefix) != 0)
        return false;
    const std::size_t slash = name.find('/', prefix.size());
    if (slash == std::string::npos)
        return false;
    what = name.substr(prefix.size(), slash - prefix.size());
    rest = name.substr(slash + 1);
    return true;
}

double Counter(const benchmark::UserCounters& counters, const char* name) {
    const auto it = counters.find(name);
    return it == counters.end() ? 0 : it->second.value;
}

double Counter(const benchmark::BenchmarkReporter::Run& run, const char* name) {
    return Counter(run.counters, name);
}

// The counter of benchmark `name` in `runs`, 0 where there is none.
double Counter(const std::map<std::string, benchmark::UserCounters>& runs, const std::string& name,
               const char* key) {
    const auto run = runs.find(name);
    return run == runs.end() ? 0 : Counter(run->second, key);
}

// `text` with blanks after it to `width` characters.
std::string Padded(std::string text, std::size_t width) {
    text.resize(std::max(text.size(), width), ' ');
    return text;
}

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

} // namespace

void MedianSummaryReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (run.error_occurred)
            continue;
        const std::string& name = run.run_name.function_name;
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "min") {
            m_lowestCounters[name] = run.counters;
            continue;
        }
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "max") {
            m_highestCounters[name] = run.counters;
            continue;
        }
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        if (run.run_type == Run::RT_Aggregate && !median)
            continue;
        if (m_figures.count(name) == 0)
            m_order.push_back(name);
        Figures& figures = m_figures[name];
        if (figures.median && !median)
            continue;
        figures.median = median;
        figures.milliseconds =
            run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e3;
        figures.bytesPerSecond = Counter(run, "bytes_per_second");
        figures.bytesPerRecord = Counter(run, "bytes_per_record");
        figures.pagesPerSecond = Counter(run, "pages/s");
        figures.childCpuMilliseconds = Counter(run, "cpu_ms");
        figures.childWallMilliseconds = Counter(run, "wall_ms");
        figures.counters = run.counters;
    }
    ConsoleReporter::ReportRuns(runs);
}

const MedianSummaryReporter::Figures* MedianSummaryReporter::Find(const std::string& name) const {
    const auto it = m_figures.find(name);
    return it == m_figures.end() ? nullptr : &it->second;
}

void MedianSummaryReporter::Finalize() {
    ConsoleReporter::Finalize();
    std::ostream& out = GetOutputStream();
    out << "\nSummary (medians)\n";
    PrintReading(out);
    PrintMemoryPairingAndExport(out);
    PrintFinding(out);
    PrintCommandLine(out);
    PrintDecompression(out);
    PrintFollowing(out);
}

void MedianSummaryReporter::PrintFollowing(std::ostream& out) const {
    std::string what, file;
    for (const std::string& name : m_order) {
        if (!Split(name, "follow/", what, file) || what != "append_paired")
            continue;
        const auto ms = [&](const char* which) {
            const Figures* figures = Find("follow/" + std::string(which) + "/" + file);
            return figures != nullptr ? figures->milliseconds : 0.0;
        };
        out << "following " << file << ": an append read and paired again "
            << Format("%.2f", ms("append_paired")) << " ms, without an import "
            << Format("%.2f", ms("append_alone")) << " ms; the appended records read alone "
            << Format("%.2f", ms("read_appended_alone")) << " ms, the pairing alone "
            << Format("%.2f", ms("pair_alone")) << " ms, a whole reload "
            << Format("%.0f", ms("reload_paired")) << " ms\n  append / reload = "
            << Format("%.4f", ms("append_paired") / ms("reload_paired")) << "\n";
    }
}

// Whole processes, timed by the clock on the wall (the tool's own time is
// what the budget is set against) and by their processor time, the three
// formats one under the other: the median of the repetitions' ratios with
// the lowest and highest beside it (on a busy machine the spread says how
// far to trust the median), and the ratio of the fastest runs of each.
void MedianSummaryReporter::PrintDecompression(std::ostream& out) const {
    static const std::map<std::string, const char*> kTools = {
        {"gz", "zcat"}, {"xz", "xzcat"}, {"zst", "zstdcat"}};
    std::string format, file, shownFile;
    for (const std::string& name : m_order) {
        if (!Split(name, "decompress/", format, file))
            continue;
        if (file != shownFile) {
            out << "compressed reading of " << file
                << ": quib --info beside the decompressor to /dev/null, budget at most 1.5x; "
                   "median of the repetitions [lowest..highest], the fastest runs' ratio\n";
            shownFile = file;
        }
        const auto median = [&](const char* key) {
            return Counter(m_figures.at(name).counters, key);
        };
        const auto lowest = [&](const char* key) { return Counter(m_lowestCounters, name, key); };
        const auto highest = [&](const char* key) { return Counter(m_highestCounters, name, key); };
        const auto tool = kTools.find(format);
        const double fastest = lowest("tool_ms") > 0 ? lowest("quib_ms") / lowest("tool_ms") : 0;
        out << "  " << Padded(format, 4) << "quib " << Format("%5.0f", median("quib_ms")) << " ms, "
            << Padded(tool != kTools.end() ? tool->second : "tool", 8)
            << Format("%5.0f", median("tool_ms")) << " ms: " << Format("%.2f", median("wall_ratio"))
            << "x [" << Format("%.2f", lowest("wall_ratio")) << ".."
            << Format("%.2f", highest("wall_ratio")) << "], fastest " << Format("%.2f", fastest)
            << "x; CPU " << Format("%.2f", median("cpu_ratio")) << "x (quib "
            << Format("%.0f", median("quib_cpu_ms")) << " ms); the library alone "
            << Format("%.0f", median("library_ms")) << " ms, quib on the plain file "
            << Format("%.0f", median("plain_ms")) << " ms\n";
    }
}

void MedianSummaryReporter::PrintReading(std::ostream& out) const {
    std::vector<std::string> files;
    std::string reader, file;
    for (const std::string& name : m_order) {
        if (Split(name, "read/", reader, file) &&
            std::find(files.begin(), files.end(), file) == files.end())
            files.push_back(file);
    }
    for (const std::string& key : files) {
        out << "reading " << key << ", MB/s:";
        for (const char* r :
             {"fast", "fast_portable", "reference", "fgets_sscanf", "line_end_scan"}) {
            if (const Figures* f = Find("read/" + std::string(r) + "/" + key))
                out << "  " << r << " " << Format("%.1f", f->bytesPerSecond / 1e6);
        }
        out << "\n";
        const Figures* fast = Find("read/fast/" + key);
        const Figures* anchor = Find("read/fgets_sscanf/" + key);
        const Figures* scan = Find("read/line_end_scan/" + key);
        if (fast != nullptr && anchor != nullptr && anchor->bytesPerSecond > 0)
            out << "  fast / fgets_sscanf = "
                << Format("%.1f", fast->bytesPerSecond / anchor->bytesPerSecond)
                << "x  (budget at least 15x, aim 20x)\n";
        if (fast != nullptr && scan != nullptr && fast->bytesPerSecond > 0)
            out << "  line_end_scan / fast = "
                << Format("%.1f", scan->bytesPerSecond / fast->bytesPerSecond)
                << "x  (budget at most 10x, aim 6x)\n";
    }
}

void MedianSummaryReporter::PrintMemoryPairingAndExport(std::ostream& out) const {
    std::string what, rest;
    for (const std::string& name : m_order) {
        const Figures& figures = m_figures.at(name);
        if (Split(name, "memory/", what, rest))
            out << "peak memory " << what << " " << rest << ": "
                << Format("%.1f", figures.bytesPerRecord) << " bytes per record\n";
        else if (Split(name, "pair/", what, rest))
            out << "pairing " << what << " " << rest << ": " << Format("%.3f", figures.milliseconds)
                << " ms CPU\n";
        else if (Split(name, "overview/", what, rest))
            out << "overview " << what << " " << rest << ": "
                << Format("%.1f", figures.milliseconds) << " ms CPU\n";
        else if (Split(name, "export/", what, rest))
            out << "export " << what << " " << rest << ": "
                << Format("%.0f", figures.pagesPerSecond) << " pages per second\n";
    }
}

void MedianSummaryReporter::PrintFinding(std::ostream& out) const {
    std::string values, file;
    for (const std::string& name : m_order) {
        if (!Split(name, "find/load_and_find/", values, file))
            continue;
        const Figures* load = Find("find/load/" + file);
        const Figures* pass = Find("find/pass/" + values + "/" + file);
        const Figures& whole = m_figures.at(name);
        if (load == nullptr || pass == nullptr || load->milliseconds <= 0)
            continue;
        out << "find " << file << ", values " << values << ": load "
            << Format("%.1f", load->milliseconds) << " ms, pass "
            << Format("%.1f", pass->milliseconds) << " ms, load and find / load = "
            << Format("%.2f", whole.milliseconds / load->milliseconds)
            << "x  (budget at most 2x)\n";
    }
}

// Each mode against --info of FILE, and those with an import also against
// --info of both files: what reading them costs.
void MedianSummaryReporter::PrintCommandLine(std::ostream& out) const {
    std::string mode, file;
    for (const std::string& name : m_order) {
        if (!Split(name, "cli/info/", mode, file) || mode.empty())
            continue;
        const std::string key = mode + "/" + file;
        const double info = m_figures.at(name).childCpuMilliseconds;
        const Figures* import = Find("cli/info_import/" + key);
        const double both = info + (import != nullptr ? import->childCpuMilliseconds : 0);
        out << "command line on " << key
            << ": ms CPU of the process (wall), times --info FILE [times --info of both files]"
            << " (budget for --summary at most 3x, for --find and --statistics at most 2x, for"
            << " --size at most 0.1x)\n";
        for (const std::string& other : m_order) {
            std::string what, rest;
            if (!Split(other, "cli/", what, rest) || rest != key)
                continue;
            const Figures& figures = m_figures.at(other);
            const double cpu = figures.childCpuMilliseconds;
            out << "  " << what << ": " << Format("%.0f", cpu) << " ("
                << Format("%.0f", figures.childWallMilliseconds) << ")";
            if (info > 0)
                out << "  " << Format("%.2f", cpu / info) << "x";
            if (what.find("+import") != std::string::npos && both > 0)
                out << " [" << Format("%.2f", cpu / both) << "x]";
            out << "\n";
        }
    }
}
