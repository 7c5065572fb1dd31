#include "CommandLineBenchmarks.h"
#include "DataFileCase.h"
#include "DataGenerator.h"
#include "DecompressionBenchmarks.h"
#include "ExportBenchmarks.h"
#include "FollowBenchmarks.h"
#include "MedianSummary.h"
#include "OverviewBenchmarks.h"
#include "PairingBenchmarks.h"
#include "QueryBenchmarks.h"
#include "ReadingBenchmarks.h"
#include "TempDir.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstring>
#include <iostream>

namespace {

struct Sizes {
    std::vector<int> dimensions{26, 32};
    std::vector<int> fileRecords;
    std::vector<int> pairingCompared;
    std::vector<int> pairingIndexedOnly;
    int exportRecords = 0;
    int overviewRecords = 0;
    int followRecords = 0;
    int followAppended = 0;
};

// --quick: tiny sizes that run every benchmark in a moment, so that they
// cannot rot unnoticed; its figures mean nothing.
bool TakeQuickFlag(int& argc, char** argv) {
    bool quick = false;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0)
            quick = true;
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    return quick;
}

} // namespace

int main(int argc, char** argv) {
    // The export needs fonts, not a screen; Qt's remarks are not figures.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    int qtArgc = 1;
    QGuiApplication application(qtArgc, argv);
    const bool quick = TakeQuickFlag(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;

    Sizes sizes;
    if (quick) {
        sizes.fileRecords = {300, 2000};
        sizes.pairingCompared = {100, 1000};
        sizes.pairingIndexedOnly = {5000};
        sizes.exportRecords = 20;
        sizes.overviewRecords = 2000;
        sizes.followRecords = 2000;
        sizes.followAppended = 100;
    } else {
        sizes.fileRecords = {100000, 1000000};
        sizes.pairingCompared = {10000, 100000};
        sizes.pairingIndexedOnly = {1000000};
        sizes.exportRecords = 10000;
        sizes.overviewRecords = 1000000;
        sizes.followRecords = 1000000;
        sizes.followAppended = 1000;
    }

    const TempDir folder;
    const std::vector<DataFileCase> files =
        WriteDataFiles(folder, sizes.dimensions, sizes.fileRecords);
    for (const DataFileCase& file : files) {
        if (const std::string problem = CheckReadersAgree(file); !problem.empty()) {
            std::cerr << "quib_bench: the readers disagree on " << problem << "\n";
            return 1;
        }
    }

    RegisterReadingBenchmarks(files);
    for (const DataFileCase& file : files)
        if (file.dimension == 26 && file.records == sizes.fileRecords.back())
            RegisterDecompressionBenchmarks(folder, file);
    RegisterPairingBenchmarks(sizes.pairingCompared, sizes.pairingIndexedOnly);
    RegisterQueryBenchmarks(folder, files);
    const std::string generated =
        folder.Write("export.dat", GenerateDataFile(26, sizes.exportRecords));
    RegisterExportBenchmarks({{"run-a/320", QUIB_EXAMPLES "/run-a.dat"},
                              {"generated/" + std::to_string(sizes.exportRecords), generated}});
    // The command line on the largest file of all values, with a second run
    // of the same size to import.
    const DataFileCase& largest = files.back();
    const std::string second =
        folder.Write("import.dat", GenerateDataFile(largest.dimension, largest.records, 2));
    RegisterCommandLineBenchmarks(QUIB_EXECUTABLE, largest.Key(), largest.path, second,
                                  folder.Path());
    RegisterOverviewBenchmarks(sizes.overviewRecords);
    RegisterFollowBenchmarks(folder, sizes.followRecords, sizes.followAppended);
    MedianSummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
