// Time to settle the heaviest slips, from the slip to the two amount texts.
// Run with --benchmark_repetitions=N: on a shared machine the minimum is the
// figure to compare.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "engine/catalogue.h"
#include "engine/selection_terms.h"
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

double minimum(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

// With `nonRunner` set, leg 3 is a non-runner and every multiple holding it
// is settled on its other legs.
void settle(benchmark::State& state, int selectionCount, int betIndex, EachWayMode mode,
            bool nonRunner = false) {
    quorvel::SettlementInput input{quorvel::startPreferences(), false,
                                   allWinners(selectionCount, betIndex, mode)};
    if (nonRunner) {
        input.slip.legs[2].result = quorvel::NonRunner;
    }
    for (auto _ : state) {
        quorvel::SettlementDisplay display = quorvel::settleAmounts(input);
        benchmark::DoNotOptimize(display);
    }
}

// A counter's mix: 1024 seeded random slips of every bet type and mode, with
// winners, placed legs, losers and now and then a non-runner, settled in turn.
void mixedSlips(benchmark::State& state) {
    const quorvel::Preferences preferences = quorvel::startPreferences();
    std::mt19937 random(17);
    const auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    std::vector<BetSlip> slips;
    for (int i = 0; i < 1024; ++i) {
        const int n = pick(1, 6);
        const int betCount = static_cast<int>(quorvel::betTypes(n).size());
        BetSlip slip{
            n, pick(0, betCount - 1), static_cast<EachWayMode>(pick(0, 2)), pick(1, 500), {}};
        for (quorvel::Leg& leg : slip.legs) {
            const int roll = pick(0, 19);
            const int result = roll < 8    ? quorvel::WonFifth
                               : roll < 12 ? quorvel::PlacedQuarter
                               : roll < 19 ? quorvel::Lost
                                           : quorvel::NonRunner;
            const double price =
                quorvel::PriceLadder[static_cast<std::size_t>(pick(0, quorvel::kPriceCount - 1))];
            leg = {result, price, price, pick(0, 3) == 0 ? 5 * pick(1, 15) : 0};
        }
        slips.push_back(slip);
    }
    std::size_t next = 0;
    for (auto _ : state) {
        quorvel::SettlementDisplay display =
            quorvel::settleAmounts({preferences, false, slips[next]});
        benchmark::DoNotOptimize(display);
        next = (next + 1) % slips.size();
    }
}

}  // namespace

BENCHMARK_CAPTURE(settle, lucky63_win, 6, 6, EachWayMode::Win)->ComputeStatistics("min", minimum);
BENCHMARK_CAPTURE(settle, lucky63_ed, 6, 6, EachWayMode::Ed)->ComputeStatistics("min", minimum);
BENCHMARK_CAPTURE(settle, lucky63_wwpp, 6, 6, EachWayMode::Wwpp)->ComputeStatistics("min", minimum);
BENCHMARK_CAPTURE(settle, heinz_win, 6, 7, EachWayMode::Win)->ComputeStatistics("min", minimum);
BENCHMARK_CAPTURE(settle, heinz_ed, 6, 7, EachWayMode::Ed)->ComputeStatistics("min", minimum);
BENCHMARK_CAPTURE(settle, heinz_wwpp, 6, 7, EachWayMode::Wwpp)->ComputeStatistics("min", minimum);
BENCHMARK_CAPTURE(settle, flag_ed, 4, 9, EachWayMode::Ed)->ComputeStatistics("min", minimum);
BENCHMARK_CAPTURE(settle, lucky63_ed_non_runner, 6, 6, EachWayMode::Ed, true)
    ->ComputeStatistics("min", minimum);
BENCHMARK(mixedSlips)->ComputeStatistics("min", minimum);

BENCHMARK_MAIN();
