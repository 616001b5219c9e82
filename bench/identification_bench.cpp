// One identification of a gear in hand: the window's start gear (diametral pitch 8, 20 degrees, 59
// teeth, helix 15 degrees, Xn -0.1445) measured over 7 and 8 teeth, over the tips and over balls
// of 5.5 mm, its helix angle unknown: every helix angle from 0 to 45 degrees is searched, and each
// step of the search places the balls.
#include "identification/identification.h"

#include <benchmark/benchmark.h>

namespace {

void BM_Identification(benchmark::State& state) {
    tamrel::identification::Measurements m;
    m.teeth = 59;
    m.spans = {{7, 63.507}, {8, 72.8801}};
    m.tipDiameter = 199.3655;
    m.ball = tamrel::identification::BallMeasure{5.5, 200.7888};
    for (auto _ : state) {
        benchmark::DoNotOptimize(tamrel::identification::identify(m));
    }
    // A gear that is not found would measure the wrong thing.
    if (tamrel::identification::identify(m).outcome !=
        tamrel::identification::Outcome::Identified) {
        state.SkipWithError("the gear was not identified");
    }
}
BENCHMARK(BM_Identification)->Unit(benchmark::kMillisecond);

}  // namespace
