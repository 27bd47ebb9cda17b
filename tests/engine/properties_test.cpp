// Properties over many seeded random slips.

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "engine/leg_operations.h"
#include "engine/round_pence.h"
#include "engine/selection_terms.h"
#include "engine/settle_amounts.h"
#include "test_support.h"

namespace quorvel {
namespace {

class RandomSlips {
  public:
    explicit RandomSlips(unsigned seed) : random_(seed) {}

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    // Any result, any price (odds-on a quarter of the time), any Rule 4.
    Legs legs() {
        Legs legs{};
        for (Leg& l : legs) {
            const double price = PriceLadder[static_cast<std::size_t>(pick(0, kPriceCount - 1))];
            l = test::leg(pick(0, 6), pick(0, 3) == 0 ? 1.0 / price : price, 5 * pick(0, 15));
        }
        return legs;
    }

    AppState app() {
        AppState app = test::startApp(pick(0, 1));
        app.taxFactor = taxFactorFor(pick(kTaxRateMin, kTaxRateMax));
        app.lucky15Consolation = app.lucky31Consolation = app.lucky63Consolation = pick(1, 3);
        app.lucky15Bonus = pick(kBonusMin, kBonusMax);
        app.lucky31Bonus = pick(kBonusMin, kBonusMax);
        app.lucky63Bonus = pick(kBonusMin, kBonusMax);
        return app;
    }

  private:
    std::mt19937 random_;
};

// Adds up the rounded lines as the observer reports them.
struct LineSum {
    double total = 0.0, factor = 1.0;
    int lines = 0;
    static void onLine(void* sum, const LineReport& r) {
        auto& s = *static_cast<LineSum*>(sum);
        EXPECT_EQ(r.roundedReturn, roundPence(r.roundedReturn));
        s.total = r.roundedReturn + s.total;
        ++s.lines;
    }
    static void onBonus(void* sum, double f) { static_cast<LineSum*>(sum)->factor = f; }
};

TEST(settlement_properties, total_is_the_sum_of_separately_rounded_lines_and_bets_count_lines) {
    const test::Mode modes[] = {settleWin, settleEd, settleWwpp};
    RandomSlips random(20261206);
    for (int i = 0; i < 5000; ++i) {
        const AppState app = random.app();
        const int mode = random.pick(0, 2), n = random.pick(1, 6), betIndex = random.pick(-1, 10);
        const double stake = random.pick(0, 9999999) * 100.0;
        Legs observed = random.legs(), unobserved = observed;
        SCOPED_TRACE("slip " + std::to_string(i));

        LineSum sum;
        const SettlementObserver observer{&sum, LineSum::onLine, LineSum::onBonus};
        int bets = -1, unobservedBets = -1;
        const double total = modes[mode](app, betIndex, bets, n, observed, stake, &observer);
        const double plain =
            modes[mode](app, betIndex, unobservedBets, n, unobserved, stake, nullptr);
        EXPECT_EQ(total, sum.factor * sum.total);
        EXPECT_EQ(std::memcmp(&total, &plain, sizeof total), 0);  // observing changes nothing
        EXPECT_EQ(bets, unobservedBets);

        const BetType* type = findBetType(n, betIndex);
        const bool stakesAbout = (n == 3 && betIndex == 6) || (n == 4 && betIndex == 9);
        const int lines =
            type == nullptr || (mode == 2 && stakesAbout) ? 0 : int(type->lines.size());
        EXPECT_EQ(bets, mode == 0 ? lines : 2 * lines);
        // Only the Win mode's Lucky lone winner settles one line for the whole bet.
        EXPECT_TRUE(sum.lines == lines ||
                    (mode == 0 && sum.lines == 1 && luckySelections(n, betIndex)));
    }
}

TEST(settlement_properties, multiple_holding_non_runners_equals_multiple_of_its_other_legs) {
    using Multiple = double (*)(const AppState&, std::span<const Leg* const>, double);
    RandomSlips random(7);
    for (int i = 0; i < 5000; ++i) {
        const AppState app = random.app();
        const Legs legs = random.legs();
        const auto count = static_cast<std::size_t>(random.pick(2, 6));
        const Leg *all[6] = {}, *runners[6] = {};
        std::size_t runnerCount = 0;
        for (std::size_t k = 0; k < count; ++k) {
            all[k] = &legs[k];
            if (legs[k].result != NonRunner) {
                runners[runnerCount++] = &legs[k];
            }
        }
        if (runnerCount == 0 || runnerCount == count) {
            continue;
        }
        const double stake = 100.0 * random.pick(1, 9999999);
        for (Multiple family : {winMultiple, edMultiple, wwppMultiple}) {
            EXPECT_EQ(family(app, std::span(all, count), stake),
                      family(app, std::span(runners, runnerCount), stake));
        }
    }
}

TEST(settlement_properties, extremes_settle_to_amounts_that_fit_their_texts) {
    AppState app = test::startApp();
    app.lucky15Bonus = app.lucky31Bonus = app.lucky63Bonus = kBonusMax;
    app.lucky15Consolation = app.lucky31Consolation = app.lucky63Consolation = kConsolationMax;
    for (const Leg& extreme : {test::leg(WonWinOnly, 1250.0), test::leg(WonQuarter, 1250.0, 75),
                               test::leg(WonFifth, 1.0 / 1250.0), test::nonRunner()}) {
        for (int slipKind = 0; slipKind < 2 * 3 * 6; ++slipKind) {
            app.taxPaid = slipKind % 2;
            const auto mode = static_cast<EachWayMode>(slipKind / 2 % 3);
            const int n = slipKind / 6 + 1;
            for (int p = 0; p < static_cast<int>(betTypes(n).size()); ++p) {
                BetSlip slip{n, p, mode, 9999999, {}};
                slip.legs.fill(extreme);
                const SettlementDisplay shown = settleAmounts(app, slip);
                // The longest, about 1e24 pounds, is "£" and 28 characters.
                EXPECT_LT(strnlen(shown.returns.data(), kAmountTextSize), kAmountTextSize);
                EXPECT_EQ(std::strpbrk(shown.returns.data(), "ni"), nullptr);  // no inf or nan
            }
        }
    }
}

}  // namespace
}  // namespace quorvel
