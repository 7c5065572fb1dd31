#include "OverviewBenchmarks.h"

#include "NodeHistory.h"
#include "OverviewDocuments.h"
#include "OverviewFigure.h"

#include <QGuiApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

using namespace quib;

std::shared_ptr<const LatticeDocument> MakeDocument(int records) {
    auto document = std::make_shared<LatticeDocument>();
    RandomValues primary(11), imported(12);
    document->m_nPrimaryDim = 32;
    FillRecords(document->m_primaryRecords, records, primary);
    ImportRecords(*document, 32, imported, [](int number) { return number % 17 == 0; });
    return document;
}

void SetRecords(benchmark::State& state, int records) {
    state.SetItemsProcessed(std::int64_t(state.iterations()) * records);
}

void MeasureBuild(benchmark::State& state, std::shared_ptr<const LatticeDocument> document,
                  OverviewMode mode, ValueTransform transform) {
    for (auto _ : state) {
        const Overview overview(*document, mode, transform);
        benchmark::DoNotOptimize(overview.Ends());
    }
    SetRecords(state, document->m_primaryRecords.GetSize());
}

void MeasureScan(benchmark::State& state, std::shared_ptr<const LatticeDocument> document) {
    const CLatticeRecordArray& records = document->m_primaryRecords;
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (int k = 0; k < records.GetSize(); ++k)
            for (const std::int32_t value : records[k].m_nNodeValue)
                sum += value;
        benchmark::DoNotOptimize(sum);
    }
    SetRecords(state, records.GetSize());
}

void MeasureColumns(benchmark::State& state, std::shared_ptr<const LatticeDocument> document) {
    const Overview overview(*document, OverviewMode::Primary, ValueTransform::Read);
    for (auto _ : state) {
        const OverviewColumns columns = overview.Columns(4000);
        benchmark::DoNotOptimize(columns.Count());
    }
}

void MeasureHistory(benchmark::State& state, std::shared_ptr<const LatticeDocument> document) {
    for (auto _ : state) {
        const NodeHistory history(*document, 16, ValueTransform::Read);
        benchmark::DoNotOptimize(history.Range());
    }
    SetRecords(state, document->m_primaryRecords.GetSize());
}

void MeasureFigure(benchmark::State& state, std::shared_ptr<const LatticeDocument> document) {
    if (QGuiApplication::instance() == nullptr) {
        state.SkipWithError("the figure needs a QGuiApplication");
        return;
    }
    const Overview overview(*document, OverviewMode::Difference, ValueTransform::Read);
    QImage image(1600, 400, QImage::Format_RGB32);
    for (auto _ : state) {
        const OverviewFigure figure(overview, image.rect());
        QPainter painter(&image);
        figure.Paint(painter, document->m_primaryRecords.GetSize() / 2);
    }
}

} // namespace

void RegisterOverviewBenchmarks(int records) {
    const std::shared_ptr<const LatticeDocument> document = MakeDocument(records);
    const std::string n = "/" + std::to_string(records);
    const std::pair<const char*, OverviewMode> modes[] = {{"primary", OverviewMode::Primary},
                                                          {"imported", OverviewMode::Imported},
                                                          {"difference", OverviewMode::Difference}};
    for (const auto& [name, mode] : modes)
        benchmark::RegisterBenchmark(("overview/build/" + std::string(name) + n).c_str(),
                                     MeasureBuild, document, mode, ValueTransform::Read)
            ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("overview/build/difference_mobius" + n).c_str(), MeasureBuild,
                                 document, OverviewMode::Difference, ValueTransform::Mobius)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("overview/scan" + n).c_str(), MeasureScan, document)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("overview/columns/4000" + n).c_str(), MeasureColumns, document)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("overview/history" + n).c_str(), MeasureHistory, document)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("overview/figure/1600x400" + n).c_str(), MeasureFigure, document)
        ->Unit(benchmark::kMillisecond);
}
