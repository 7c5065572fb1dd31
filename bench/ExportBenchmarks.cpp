#include "ExportBenchmarks.h"

#include "LatticeDocument.h"
#include "PictureFile.h"

#include <QBuffer>
#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

void MeasureExport(benchmark::State& state, const std::string& path) {
    if (QGuiApplication::instance() == nullptr) {
        state.SkipWithError("the export needs a QGuiApplication");
        return;
    }
    LatticeDocument document;
    if (document.OpenDataFile(path)) {
        state.SkipWithError("the file could not be read");
        return;
    }
    quib::PictureJob job{quib::PictureFormat::Pdf, 96, {}, {}};
    for (int k = 0; k < document.m_primaryRecords.GetSize(); ++k)
        job.records.push_back(k);
    QByteArray pdf;
    for (auto _ : state) {
        pdf.clear();
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        if (!quib::WritePictures(document, {}, job, buffer)) {
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
