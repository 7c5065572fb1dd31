#include "AlignmentBenchmarks.h"

#include "ImportAlignment.h"
#include "LiteralAlignment.h"
#include "Random.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <utility>

namespace {

using Pass = void (*)(const CLatticeRecordArray&, CLatticeRecordArray&);
using Order = void (*)(CLatticeRecordArray&);

// Where one literal pass takes seconds, a repetition runs it once.
constexpr int kLiteralSingleRunSize = 100000;

void Reverse(CLatticeRecordArray& records) {
    for (int i = 0, j = records.GetSize() - 1; i < j; ++i, --j)
        std::swap(records[i], records[j]);
}

void Shuffle(CLatticeRecordArray& records) {
    Random random(7);
    for (int i = records.GetSize() - 1; i > 0; --i)
        std::swap(records[i], records[static_cast<int>(random.Between(0, i))]);
}

void FillNumbered(CLatticeRecordArray& records, int count) {
    records.SetSize(count);
    for (int i = 0; i < count; ++i) {
        records[i].m_nRecordNumber = i + 1;
        records[i].m_nNodeValue[NODE_COUNT - 1] = i + 1;
    }
}

void MeasureAlignment(benchmark::State& state, int count, Pass pass, Order order) {
    CLatticeRecordArray primary;
    FillNumbered(primary, count);
    CLatticeRecordArray prepared;
    FillNumbered(prepared, count);
    order(prepared);
    CLatticeRecordArray imported;
    imported.SetSize(count);
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(&imported[0], &prepared[0], sizeof(CLatticeRecord) * count);
        state.ResumeTiming();
        pass(primary, imported);
    }
    // Every number occurs once on each side: each record must end at its
    // partner's index, with its values.
    for (int i = 0; i < count; ++i) {
        if (imported[i].m_nRecordNumber != i + 1 ||
            imported[i].m_nNodeValue[NODE_COUNT - 1] != i + 1) {
            state.SkipWithError("the pass left a record beside the wrong partner");
            return;
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * count);
}

void Register(const char* passName, Pass pass, int count) {
    const std::pair<const char*, Order> orders[] = {{"reversed", Reverse}, {"shuffled", Shuffle}};
    for (const auto& [orderName, order] : orders) {
        const std::string name =
            std::string("align/") + passName + "/" + orderName + "/" + std::to_string(count);
        auto* benchmark =
            benchmark::RegisterBenchmark(name.c_str(), MeasureAlignment, count, pass, order)
                ->Unit(benchmark::kMillisecond);
        if (pass == LiteralAlignment && count >= kLiteralSingleRunSize)
            benchmark->Iterations(1);
    }
}

} // namespace

void RegisterAlignmentBenchmarks(const std::vector<int>& comparedSizes,
                                 const std::vector<int>& indexedOnlySizes) {
    for (int count : comparedSizes) {
        Register("indexed", AlignRecordsByNumber, count);
        Register("literal", LiteralAlignment, count);
    }
    for (int count : indexedOnlySizes)
        Register("indexed", AlignRecordsByNumber, count);
}
