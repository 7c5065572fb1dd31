#include "ExportBenchmarks.h"

#include "LatticeDocument.h"
#include "PictureFile.h"

#include <QBuffer>
#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Fonts need an application; no screen is needed.
void NeedGuiApplication() {
    static std::unique_ptr<QGuiApplication> application;
    if (QGuiApplication::instance() != nullptr)
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static int argc = 1;
    static char name[] = "quib_bench";
    static char* argv[] = {name, nullptr};
    application = std::make_unique<QGuiApplication>(argc, argv);
}

void MeasureExport(benchmark::State& state, const std::string& path) {
    NeedGuiApplication();
    LatticeDocument document;
    if (!document.OpenDataFile(path).read) {
        state.SkipWithError("the file could not be read");
        return;
    }
    LatticePicture picture(&document);
    PictureJob job{PictureFormat::Pdf, 96, {}, {}};
    for (int k = 0; k < document.m_primaryRecords.GetSize(); ++k)
        job.records.push_back(k);
    QByteArray pdf;
    for (auto _ : state) {
        pdf.clear();
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        if (!WritePictures(picture, job, buffer)) {
            state.SkipWithError("the PDF could not be written");
            return;
        }
    }
    state.counters["pages/s"] = benchmark::Counter(
        double(job.records.size()) * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["bytes/page"] = double(pdf.size()) / double(job.records.size());
}

} // namespace

void RegisterExportBenchmarks(const std::vector<ExportCase>& files) {
    for (const ExportCase& file : files)
        benchmark::RegisterBenchmark(("export/pdf/" + file.name).c_str(), MeasureExport, file.path)
            ->Unit(benchmark::kMillisecond);
}
