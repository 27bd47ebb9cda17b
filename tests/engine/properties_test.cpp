// Properties over many seeded random slips.

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/leg_operations.h"
#include "engine/round_pence.h"
#include "engine/selection_terms.h"
#include "engine/settle_amounts.h"
#include "test_support.h"

namespace quorvel::testing {
namespace {

struct RandomSlips {
    std::mt19937 random;

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

    // Any result, any price (odds-on a quarter of the time), any Rule 4.
    Legs legs() {
        Legs legs{};
        for (Leg& l : legs) {
            const double price = PriceLadder[static_cast<std::size_t>(pick(0, kPriceCount - 1))];
            l = leg(pick(0, 6), pick(0, 3) == 0 ? 1.0 / price : price, 5 * pick(0, 15));
        }
        return legs;
    }

    SettlementTerms terms() {
        Preferences p = startPreferences();
        p.taxRatePercent = pick(kTaxRateMin, kTaxRateMax);
        p.lucky15Consolation = p.lucky31Consolation = p.lucky63Consolation = pick(1, 3);
        p.lucky15Bonus = pick(kBonusMin, kBonusMax);
        p.lucky31Bonus = pick(kBonusMin, kBonusMax);
        p.lucky63Bonus = pick(kBonusMin, kBonusMax);
        return settlementTerms(p, pick(0, 1) == 1);
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

    // Pence per bet.
    int stake() {
        const int kind = pick(0, 9);
        return kind == 0 ? 0 : kind == 1 ? 2147483647 : pick(1, 9999999);
    }
};

// Each line's leg set, rows and rounded return, in the order the observer saw them.
struct LineLog {
    std::vector<std::pair<const BetLine*, std::array<int, 6>>> lines;
    std::vector<double> rounded;
    static void onLine(void* log, const LineReport& r) {
        static_cast<LineLog*>(log)->lines.emplace_back(r.line, r.rows);
        static_cast<LineLog*>(log)->rounded.push_back(r.roundedReturn);
    }
};

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Also: observing changes nothing, the total is the sum of the separately rounded lines (times
// the bonus), and a bet counts its lines, twice each way.
TEST(settlement_properties, lines_worked_out_by_set_equal_lines_settled_one_by_one) {
    RandomSlips random{std::mt19937(17)};
    for (int i = 0; i < 20000; ++i) {
        const SettlementTerms terms = random.terms();
        const auto mode = static_cast<EachWayMode>(random.pick(0, 2));
        const int n = random.pick(1, 6);
        const int luckyIndex[] = {0, 0, 0, 0, 7, 5, 6};  // a quarter of the time
        const int betIndex = n >= 4 && random.pick(0, 3) == 0 ? luckyIndex[n] : random.pick(-1, 10);
        const int stake = random.stake();
        const BetSlip slip{n, betIndex, mode, stake, random.payingLegs()};
        SCOPED_TRACE("slip " + std::to_string(i));

        LineLog setLog, lineLog;
        const SettlementObserver setObserver{&setLog, LineLog::onLine, nullptr};
        const SettlementObserver lineObserver{&lineLog, LineLog::onLine, nullptr};
        const Settled fast = settle(terms, slip, &setObserver);
        const Settled plain = settleLineByLine(terms, slip, &lineObserver);
        ASSERT_TRUE(sameBits(fast.returns, plain.returns))
            << fast.returns << " against " << plain.returns;
        EXPECT_EQ(fast.numberOfBets, plain.numberOfBets);
        const Settled unobserved = settle(terms, slip);
        EXPECT_TRUE(sameBits(unobserved.returns, fast.returns));
        double sum = 0.0;
        for (const double line : setLog.rounded) {
            EXPECT_EQ(line, roundPence(line));
            sum = line + sum;
        }
        EXPECT_TRUE(sameBits(fast.linesTotal, sum));
        EXPECT_EQ(fast.returns, fast.bonusFactor == 0.0 ? sum : fast.bonusFactor * sum);
        const BetType* type = findBetType(n, betIndex);
        const int lines = type == nullptr || (mode == EachWayMode::Wwpp && type->stakesAbout)
                              ? 0
                              : static_cast<int>(type->lines.size());
        EXPECT_EQ(fast.numberOfBets, mode == EachWayMode::Win ? lines : 2 * lines);
        // Only the Win mode's Lucky lone winner settles one line for the whole bet.
        EXPECT_TRUE(
            static_cast<int>(setLog.rounded.size()) == lines ||
            (mode == EachWayMode::Win && setLog.rounded.size() == 1 && fast.consolationRow != 0));
        EXPECT_EQ(setLog.lines, lineLog.lines);
        ASSERT_EQ(setLog.rounded.size(), lineLog.rounded.size());
        for (std::size_t k = 0; k < setLog.rounded.size(); ++k) {
            ASSERT_TRUE(sameBits(setLog.rounded[k], lineLog.rounded[k])) << "line " << k;
        }
        EXPECT_EQ(fast.bonusFactor, plain.bonusFactor);
        EXPECT_EQ(fast.consolationRow, plain.consolationRow);
        EXPECT_TRUE(sameBits(fast.consolationPrice, plain.consolationPrice));
    }
}

TEST(settlement_properties, multiple_holding_non_runners_equals_multiple_of_its_other_legs) {
    RandomSlips random{std::mt19937(7)};
    for (int i = 0; i < 5000; ++i) {
        const SettlementTerms terms = random.terms();
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
                        family(terms, std::span(all, count), stake) ==
                            family(terms, std::span(runners, runnerCount), stake));
        }
    }
}

// "£" then digits, a point and two digits.
bool isWholeAmount(std::string_view text) {
    const auto digits = [](std::string_view part) {
        return !part.empty() && part.find_first_not_of("0123456789") == std::string_view::npos;
    };
    const std::size_t point = text.find('.');
    return text.starts_with('\xA3') && point != std::string_view::npos &&
           digits(text.substr(1, point - 1)) && text.size() - point == 3 &&
           digits(text.substr(point + 1));
}

TEST(settlement_properties, extremes_settle_to_amounts_that_fit_their_texts) {
    Preferences most = startPreferences();
    most.lucky15Bonus = most.lucky31Bonus = most.lucky63Bonus = kBonusMax;
    most.lucky15Consolation = most.lucky31Consolation = most.lucky63Consolation = kConsolationMax;
    for (const Leg& extreme : {leg(WonWinOnly, 1250.0), leg(WonQuarter, 1250.0, 75),
                               leg(WonFifth, 1.0 / 1250.0), leg(NonRunner)}) {
        for (int slipKind = 0; slipKind < 2 * 3 * 6; ++slipKind) {
            const auto mode = static_cast<EachWayMode>(slipKind / 2 % 3);
            const int n = slipKind / 6 + 1;
            for (int p = 0; p < static_cast<int>(betTypes(n).size()); ++p) {
                BetSlip slip{n, p, mode, 9999999, {}};
                slip.legs.fill(extreme);
                const SettlementDisplay shown = settleAmounts({most, slipKind % 2 == 1, slip});
                // The longest, about 1e24 pounds, is "£" and 28 characters: a text cut
                // short by its buffer would lose its pence, "inf" and "nan" have none.
                EXPECT_TRUE(isWholeAmount(shown.returns.data())) << shown.returns.data();
                EXPECT_TRUE(isWholeAmount(shown.totalStake.data())) << shown.totalStake.data();
            }
        }
    }
}

}  // namespace
}  // namespace quorvel::testing
