// Properties over many seeded random slips.

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <utility>
#include <vector>

#include "engine/leg_operations.h"
#include "engine/round_pence.h"
#include "engine/selection_terms.h"
#include "engine/settle_amounts.h"
#include "test_support.h"

namespace quorvel {
namespace {

struct RandomSlips {
    std::mt19937 random;

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

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

    // Mostly winners and placed legs, so that multiples pay; in a third of the
    // slips non-runners, from one leg in six to every other leg.
    Legs payingLegs() {
        Legs legs = this->legs();
        const int nonRunnerIn = pick(0, 2) == 0 ? pick(2, 6) : 0;
        for (Leg& l : legs) {
            const int results[] = {WonFifth,      WonQuarter, WonWinOnly, PlacedFifth,
                                   PlacedQuarter, Lost,       WonFifth,   WonQuarter};
            l.result =
                nonRunnerIn != 0 && pick(1, nonRunnerIn) == 1 ? NonRunner : results[pick(0, 7)];
        }
        return legs;
    }

    double stake() {
        const int kind = pick(0, 9);
        return kind == 0 ? 0.0 : kind == 1 ? 2147483647 * 100.0 : 100.0 * pick(1, 9999999);
    }
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
    RandomSlips random{std::mt19937(20261206)};
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

// Each line's leg set, rows and rounded return, in the order the observer saw them.
struct LineLog {
    std::vector<std::pair<const BetLine*, std::array<int, 6>>> lines;
    std::vector<double> rounded;
    std::vector<double> factors;
    static void onLine(void* log, const LineReport& r) {
        static_cast<LineLog*>(log)->lines.emplace_back(r.line, r.rows);
        static_cast<LineLog*>(log)->rounded.push_back(r.roundedReturn);
    }
    static void onBonus(void* log, double f) { static_cast<LineLog*>(log)->factors.push_back(f); }
};

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(settlement_properties, lines_worked_out_by_set_equal_lines_settled_one_by_one) {
    const test::Mode modes[] = {settleWin, settleEd, settleWwpp};
    RandomSlips random{std::mt19937(17)};
    for (int i = 0; i < 20000; ++i) {
        AppState app = random.app();
        const int mode = random.pick(0, 2), n = random.pick(1, 6);
        const int luckyIndex[] = {0, 0, 0, 0, 7, 5, 6};  // a quarter of the time
        const int betIndex = n >= 4 && random.pick(0, 3) == 0 ? luckyIndex[n] : random.pick(-1, 10);
        const double stake = random.stake();
        Legs bySet = random.payingLegs(), oneByOne = bySet;
        SCOPED_TRACE("slip " + std::to_string(i));

        LineLog setLog, lineLog;
        const SettlementObserver setObserver{&setLog, LineLog::onLine, LineLog::onBonus};
        const SettlementObserver lineObserver{&lineLog, LineLog::onLine, LineLog::onBonus};
        int setBets = -1, lineBets = -1;
        const double fast = modes[mode](app, betIndex, setBets, n, bySet, stake, &setObserver);
        const double plain = settleLineByLine(static_cast<EachWayMode>(mode), app, betIndex,
                                              lineBets, n, oneByOne, stake, &lineObserver);
        ASSERT_TRUE(sameBits(fast, plain)) << fast << " against " << plain;
        EXPECT_EQ(setBets, lineBets);
        EXPECT_EQ(setLog.lines, lineLog.lines);
        ASSERT_EQ(setLog.rounded.size(), lineLog.rounded.size());
        for (std::size_t k = 0; k < setLog.rounded.size(); ++k) {
            ASSERT_TRUE(sameBits(setLog.rounded[k], lineLog.rounded[k])) << "line " << k;
        }
        EXPECT_EQ(setLog.factors, lineLog.factors);
        for (std::size_t k = 0; k < bySet.size(); ++k) {  // the same Lucky changes
            EXPECT_TRUE(bySet[k].result == oneByOne[k].result &&
                        sameBits(bySet[k].price, oneByOne[k].price) &&
                        bySet[k].rule4 == oneByOne[k].rule4);
        }
    }
}

TEST(settlement_properties, multiple_holding_non_runners_equals_multiple_of_its_other_legs) {
    RandomSlips random{std::mt19937(7)};
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
        const double stake = 100.0 * random.pick(1, 9999999);
        for (auto family : {winMultiple, edMultiple, wwppMultiple}) {
            EXPECT_TRUE(runnerCount == 0 ||
                        family(app, std::span(all, count), stake) ==
                            family(app, std::span(runners, runnerCount), stake));
        }
    }
}

TEST(settlement_properties, extremes_settle_to_amounts_that_fit_their_texts) {
    AppState app = test::startApp();
    app.lucky15Bonus = app.lucky31Bonus = app.lucky63Bonus = kBonusMax;
    app.lucky15Consolation = app.lucky31Consolation = app.lucky63Consolation = kConsolationMax;
    for (const Leg& extreme : {test::leg(WonWinOnly, 1250.0), test::leg(WonQuarter, 1250.0, 75),
                               test::leg(WonFifth, 1.0 / 1250.0), test::leg(NonRunner)}) {
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
