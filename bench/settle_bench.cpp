// Time to settle the heaviest slips, from the slip to the two amount texts.

#include <benchmark/benchmark.h>

#include "engine/app_state.h"
#include "engine/settle_amounts.h"

namespace {

using quorvel::BetSlip;
using quorvel::EachWayMode;

BetSlip allWinners(int selectionCount, int betIndex, EachWayMode mode) {
    BetSlip slip{selectionCount, betIndex, mode, 1000, {}};
    const double prices[] = {1.0, 2.5, 1.0 / 3.0, 11.0, 1.375, 100.0 / 30.0};
    for (int i = 0; i < selectionCount; ++i) {
        const double price = prices[i];
        slip.legs[static_cast<std::size_t>(i)] = {quorvel::WonQuarter, price, price, 5 * i};
    }
    return slip;
}

void settle(benchmark::State& state, int selectionCount, int betIndex, EachWayMode mode) {
    quorvel::AppState app{};
    quorvel::setStartPreferences(app);
    const BetSlip slip = allWinners(selectionCount, betIndex, mode);
    for (auto _ : state) {
        quorvel::SettlementDisplay display = quorvel::settleAmounts(app, slip);
        benchmark::DoNotOptimize(display);
    }
}

}  // namespace

BENCHMARK_CAPTURE(settle, lucky63_win, 6, 6, EachWayMode::Win);
BENCHMARK_CAPTURE(settle, lucky63_ed, 6, 6, EachWayMode::Ed);
BENCHMARK_CAPTURE(settle, lucky63_wwpp, 6, 6, EachWayMode::Wwpp);
BENCHMARK_CAPTURE(settle, heinz_win, 6, 7, EachWayMode::Win);
BENCHMARK_CAPTURE(settle, heinz_ed, 6, 7, EachWayMode::Ed);
BENCHMARK_CAPTURE(settle, heinz_wwpp, 6, 7, EachWayMode::Wwpp);
BENCHMARK_CAPTURE(settle, flag_ed, 4, 9, EachWayMode::Ed);

BENCHMARK_MAIN();
