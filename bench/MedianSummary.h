#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// The console report, followed by a summary of the medians (or of the single
// runs when there are no repetitions): reading speeds in MB/s with the budget
// ratios, peak memory per record, pairing and overview times, export pages
// per second, what finding adds to loading, the command line's modes against
// --info, compressed reading beside its tool and
// an append to a followed file beside reading it alone and a whole reload. Rates and times are per
// CPU second (for the command line, the child's), as the library counts rates, so that other load
// on the machine does not skew the ratios.
class MedianSummaryReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

  private:
    struct Figures {
        double milliseconds = 0;
        double bytesPerSecond = 0;
        double bytesPerRecord = 0;
        double pagesPerSecond = 0;
        double childCpuMilliseconds = 0;
        double childWallMilliseconds = 0;
        benchmark::UserCounters counters;
        bool median = false;
    };

    void PrintReading(std::ostream& out) const;
    void PrintMemoryPairingAndExport(std::ostream& out) const;
    void PrintFinding(std::ostream& out) const;
    void PrintCommandLine(std::ostream& out) const;
    void PrintDecompression(std::ostream& out) const;
    void PrintFollowing(std::ostream& out) const;
    const Figures* Find(const std::string& name) const;

    std::map<std::string, Figures> m_figures;
    // Each counter's lowest and highest over the repetitions, where a
    // benchmark asks for them.
    std::map<std::string, benchmark::UserCounters> m_lowestCounters;
    std::map<std::string, benchmark::UserCounters> m_highestCounters;
    std::vector<std::string> m_order; // names as they ran, for a readable summary
};
