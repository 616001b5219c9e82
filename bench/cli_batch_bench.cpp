// Throughput of the command line's CSV batch: 100 000 gears read, converted and written.
#include "cli/batch.h"

#include <benchmark/benchmark.h>

#include <array>
#include <sstream>
#include <string>

namespace {

constexpr int BatchRows = 100000;

// Gears of several kinds in all four reference modes, with a few rows that end with a message.
std::string batchInput() {
    const std::array<const char*, 8> rows{
        "3.175,20,59,15,8,5.5,W,72.8801,0.05,-0.05", "3.175,20,59,15,8,5.5,Xn,-0.1445,0.02,-0.03",
        "3.175,20,59,15,8,5.5,M,200.7889,0.1,-0.1",  "3.175,20,59,15,8,5.5,Sn,4.6533,0,-0.08",
        "2,20,-72,0,9,3.5,Xn,0.1,0,-0.05",           "-8,20,31,0,4,,Sn,5,0,-0.05",
        "5,25,120,30,13,9,M,620,0.2,-0.2",           "0,20,59,15,8,5.5,W,72.8801,0,0",
    };
    std::string input = "mn,pn,zg,bog,zmg,dpg,ref,value,upper,lower\n";
    for (int i = 0; i < BatchRows; ++i) {
        input += rows[i % rows.size()];
        input += '\n';
    }
    return input;
}

// Takes the output and keeps none of it, so that only the batch itself is measured.
class DiscardingBuffer : public std::streambuf {
protected:
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
};

void BM_CliBatch100k(benchmark::State& state) {
    const std::string input = batchInput();
    DiscardingBuffer discard;
    std::ostream out(&discard);
    for (auto _ : state) {
        std::istringstream in(input);
        const auto rows = tamrel::cli::runBatch(in, out, tamrel::NumberLocale{});
        benchmark::DoNotOptimize(rows);
    }
    state.SetItemsProcessed(state.iterations() * BatchRows);
}
// The batch uses several threads: wall-clock time is what a user waits.
BENCHMARK(BM_CliBatch100k)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
