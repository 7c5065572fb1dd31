#include "PairingBenchmarks.h"

#include "LiteralPairing.h"
#include "Random.h"
#include "RecordPairing.h"

#include <benchmark/benchmark.h>

#include <string>
#include <utility>

namespace {

using Pass = std::vector<int> (*)(const CLatticeRecordArray&, const CLatticeRecordArray&);
using Order = void (*)(CLatticeRecordArray&);

// Where one literal search takes seconds, a repetition runs it once.
constexpr int kLiteralSingleRunSize = 100000;

std::vector<int> IndexedPairing(const CLatticeRecordArray& primary,
                                const CLatticeRecordArray& imported) {
    std::vector<int> partners;
    if (!quib::PairRecordsByNumber(primary, imported, partners))
        partners.clear();
    return partners;
}

void Reverse(CLatticeRecordArray& records) {
    for (int i = 0, j = records.GetSize() - 1; i < j; ++i, --j)
        std::swap(records[i], records[j]);
}

void Shuffle(CLatticeRecordArray& records) {
    Random random(7);
    for (int i = records.GetSize() - 1; i > 0; --i)
        std::swap(records[i], records[static_cast<int>(random.Between(0, i))]);
}

// As a repeated run that lost some records: every 17th number is gone.
void ShuffleWithGaps(CLatticeRecordArray& records) {
    int kept = 0;
    for (int i = 0; i < records.GetSize(); ++i)
        if (records[i].m_nRecordNumber % 17 != 0)
            records[kept++] = records[i];
    records.SetSize(kept);
    Shuffle(records);
}

void FillNumbered(CLatticeRecordArray& records, int count) {
    records.SetSize(count);
    for (int i = 0; i < count; ++i)
        records[i].m_nRecordNumber = i + 1;
}

void MeasurePairing(benchmark::State& state, int count, Pass pass, Order order) {
    CLatticeRecordArray primary, imported;
    FillNumbered(primary, count);
    FillNumbered(imported, count);
    order(imported);
    std::vector<int> partners;
    for (auto _ : state) {
        partners = pass(primary, imported);
        benchmark::DoNotOptimize(partners.data());
    }
    // Every number occurs at most once on each side: a partner must carry
    // its primary record's number, and only a missing number has none.
    if (partners.size() != static_cast<std::size_t>(count)) {
        state.SkipWithError("the pairing gave no partner list");
        return;
    }
    for (int i = 0; i < count; ++i) {
        const bool missing = order == ShuffleWithGaps && (i + 1) % 17 == 0;
        const bool right = missing ? partners[i] == quib::kNoPartner
                                   : partners[i] != quib::kNoPartner &&
                                         imported[partners[i]].m_nRecordNumber == i + 1;
        if (!right) {
            state.SkipWithError("the pairing put a record beside the wrong partner");
            return;
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * count);
}

void Register(const char* passName, Pass pass, int count) {
    const std::pair<const char*, Order> orders[] = {
        {"reversed", Reverse}, {"shuffled", Shuffle}, {"gaps", ShuffleWithGaps}};
    for (const auto& [orderName, order] : orders) {
        const std::string name =
            std::string("pair/") + passName + "/" + orderName + "/" + std::to_string(count);
        auto* benchmark =
            benchmark::RegisterBenchmark(name.c_str(), MeasurePairing, count, pass, order)
                ->Unit(benchmark::kMillisecond);
        if (pass == LiteralPairing && count >= kLiteralSingleRunSize)
            benchmark->Iterations(1);
    }
}

} // namespace

void RegisterPairingBenchmarks(const std::vector<int>& comparedSizes,
                               const std::vector<int>& indexedOnlySizes) {
    for (int count : comparedSizes) {
        Register("indexed", IndexedPairing, count);
        Register("literal", LiteralPairing, count);
    }
    for (int count : indexedOnlySizes)
        Register("indexed", IndexedPairing, count);
}
