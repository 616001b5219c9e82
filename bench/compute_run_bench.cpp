// One compute run of the default gear in each reference mode, on a new window's input; alone, and
// followed by the inspection aids the window shows after it.
#include "conversion/compute_run.h"
#include "inspection/run_inspection.h"

#include <benchmark/benchmark.h>

namespace {

template <bool WithInspection> void BM_ComputeRun(benchmark::State& state) {
    tamrel::ConversionInput input;
    input.selectReference(static_cast<tamrel::Quantity>(state.range(0)));
    bool stopped = false;
    for (auto _ : state) {
        const tamrel::ConversionResult run = tamrel::runConversion(input);
        stopped = !run.message.empty();
        if constexpr (WithInspection) {
            const auto inspected = tamrel::inspection::inspectionInput(run);
            benchmark::DoNotOptimize(tamrel::inspection::inspect(inspected.value()));
        }
        benchmark::ClobberMemory();
    }
    // A run that stopped at a message would measure the wrong thing.
    if (stopped) {
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
