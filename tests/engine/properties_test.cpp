// Properties over many seeded random slips.

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "engine/leg_operations.h"
#include "engine/round_pence.h"
#include "engine/selection_terms.h"
#include "engine/settle_amounts.h"
#include "engine/settlement.h"
#include "test_legs.h"

namespace quorvel {
namespace {

using Mode = double (*)(const AppState&, int, int&, int, Legs&, double, const SettlementObserver*);
constexpr Mode kModes[] = {settleWin, settleEd, settleWwpp};
constexpr int kSlips = 4000;

class RandomSlips {
  public:
    explicit RandomSlips(unsigned seed) : random_(seed) {}

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    Leg leg() {
        double price = PriceLadder[static_cast<std::size_t>(pick(0, kPriceCount - 1))];
        if (pick(0, 3) == 0) {
            price = 1.0 / price;
        }
        return test::leg(pick(0, 6), price, Rule4Ladder[static_cast<std::size_t>(pick(0, 15))]);
    }

    AppState app() {
        AppState app{};
        app.taxPaid = pick(0, 1);
        app.taxFactor = taxFactorFor(pick(kTaxRateMin, kTaxRateMax));
        app.lucky15Consolation = pick(kConsolationMin, kConsolationMax);
        app.lucky31Consolation = pick(kConsolationMin, kConsolationMax);
        app.lucky63Consolation = pick(kConsolationMin, kConsolationMax);
        app.lucky15Bonus = pick(kBonusMin, kBonusMax);
        app.lucky31Bonus = pick(kBonusMin, kBonusMax);
        app.lucky63Bonus = pick(kBonusMin, kBonusMax);
        return app;
    }

    Legs legs() {
        Legs legs{};
        for (Leg& l : legs) {
            l = leg();
        }
        return legs;
    }

  private:
    std::mt19937 random_;
};

struct Sum {
    double total = 0.0;
    double factor = 1.0;
    int lines = 0;
};

TEST(settlement_properties, total_is_the_sum_of_separately_rounded_lines) {
    RandomSlips random(20261206);
    for (int i = 0; i < kSlips; ++i) {
        const AppState app = random.app();
        const int modeIndex = random.pick(0, 2);
        const int selections = random.pick(1, 6);
        const int betIndex = random.pick(-1, 10);
        const Legs slip = random.legs();
        const double stake = random.pick(0, 9999999) * 100.0;
        SCOPED_TRACE("slip " + std::to_string(i));

        Sum sum;
        const SettlementObserver observer{
            &sum,
            [](void* c, const LineReport& r) {
                auto& s = *static_cast<Sum*>(c);
                EXPECT_EQ(r.roundedReturn, roundPence(r.roundedReturn));
                s.total = r.roundedReturn + s.total;
                ++s.lines;
            },
            [](void* c, double f) { static_cast<Sum*>(c)->factor = f; }};
        Legs observed = slip, unobserved = slip;
        int bets = -1, unobservedBets = -1;
        const double total =
            kModes[modeIndex](app, betIndex, bets, selections, observed, stake, &observer);
        const double plain = kModes[modeIndex](app, betIndex, unobservedBets, selections,
                                               unobserved, stake, nullptr);

        EXPECT_EQ(total, sum.factor * sum.total);
        EXPECT_EQ(std::memcmp(&total, &plain, sizeof total), 0);  // observing changes nothing
        EXPECT_EQ(bets, unobservedBets);

        const BetType* type = findBetType(selections, betIndex);
        const int lines = type == nullptr ? 0 : static_cast<int>(type->lines.size());
        const bool noWwppLines = modeIndex == 2 && (selections == 3 || selections == 4) &&
                                 betIndex == (selections == 3 ? 6 : 9);
        EXPECT_EQ(bets, noWwppLines ? 0 : lines * (modeIndex == 0 ? 1 : 2));
        if (sum.lines != lines && !noWwppLines) {
            // Only a Win-mode Lucky lone winner settles fewer lines: its single.
            EXPECT_EQ(modeIndex, 0);
            EXPECT_EQ(sum.lines, 1);
            EXPECT_NE(luckySelections(selections, betIndex), 0);
        }
    }
}

TEST(settlement_properties, multiple_holding_non_runners_equals_multiple_of_its_other_legs) {
    using Multiple = double (*)(const AppState&, std::span<const Leg* const>, double);
    const Multiple families[] = {winMultiple, edMultiple, wwppMultiple};
    RandomSlips random(7);
    for (int i = 0; i < kSlips; ++i) {
        const AppState app = random.app();
        const Legs legs = random.legs();
        const int count = random.pick(2, 6);
        const double stake = random.pick(1, 9999999) * 100.0;
        const Leg* all[6] = {};
        const Leg* runners[6] = {};
        std::size_t runnerCount = 0;
        for (int k = 0; k < count; ++k) {
            all[k] = &legs[static_cast<std::size_t>(k)];
            if (legs[static_cast<std::size_t>(k)].result != NonRunner) {
                runners[runnerCount++] = all[k];
            }
        }
        if (runnerCount == 0 || runnerCount == static_cast<std::size_t>(count)) {
            continue;
        }
        for (Multiple family : families) {
            EXPECT_EQ(family(app, std::span(all, static_cast<std::size_t>(count)), stake),
                      family(app, std::span(runners, runnerCount), stake));
        }
    }
}

TEST(settlement_properties, extremes_settle_to_finite_amounts_that_fit_their_texts) {
    AppState app{};
    setStartPreferences(app);
    app.lucky15Bonus = app.lucky31Bonus = app.lucky63Bonus = kBonusMax;
    app.lucky15Consolation = app.lucky31Consolation = app.lucky63Consolation = kConsolationMax;
    const Leg extremes[] = {test::leg(WonWinOnly, 1250.0), test::leg(WonWinOnly, 1.0 / 1250.0),
                            test::leg(WonQuarter, 1250.0, 75), test::nonRunner()};
    for (int taxPaid : {0, 1}) {
        app.taxPaid = taxPaid;
        for (const Leg& extreme : extremes) {
            for (int mode = 0; mode < 3; ++mode) {
                for (int n = 1; n <= 6; ++n) {
                    for (int p = 0; p < static_cast<int>(betTypes(n).size()); ++p) {
                        BetSlip slip{n, p, static_cast<EachWayMode>(mode), 9999999, {}};
                        slip.legs.fill(extreme);
                        const SettlementDisplay shown = settleAmounts(app, slip);
                        EXPECT_LT(strnlen(shown.returns.data(), kAmountTextSize), kAmountTextSize);
                        EXPECT_EQ(std::strchr(shown.returns.data(), 'n'), nullptr);  // inf, nan
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace quorvel
