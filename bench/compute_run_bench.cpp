// One compute run of the default gear in each reference mode, on an in-memory store of the
// window's start values; alone, and followed by the inspection aids the window shows after it.
#include "conversion/compute_run.h"
#include "conversion/fields.h"
#include "conversion/memory_field_store.h"
#include "inspection/run_inspection.h"

#include <benchmark/benchmark.h>

namespace {

template <bool WithInspection> void BM_ComputeRun(benchmark::State& state) {
    tamrel::MemoryFieldStore store;
    store.selectReference(static_cast<int>(state.range(0)));
    tamrel::ProgramState program;
    const tamrel::NumberLocale locale;
    for (auto _ : state) {
        tamrel::runConversion(store, program, locale);
        if constexpr (WithInspection) {
            const auto input = tamrel::inspection::inspectionInput(store, locale);
            benchmark::DoNotOptimize(tamrel::inspection::inspect(input.value()));
        }
        benchmark::ClobberMemory();
    }
    // A run that stopped at a message would measure the wrong thing.
    if (!store.text(tamrel::Field::Error).empty()) {
        state.SkipWithError("the compute run reported an error");
    }
}
// 0 Xn, 1 W, 2 M, 3 Sn.
BENCHMARK_TEMPLATE(BM_ComputeRun, false)
    ->Name("BM_ComputeRun")
    ->ArgName("mode")
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_ComputeRun, true)
    ->Name("BM_ComputeRunWithInspection")
    ->ArgName("mode")
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
