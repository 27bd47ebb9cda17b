#include "engine/settlement.h"

#include <gtest/gtest.h>

#include "engine/leg_operations.h"
#include "test_support.h"

namespace quorvel::testing {
namespace {

const Leg L = leg(Lost), NR = leg(NonRunner), evens = leg(WonFifth);

Leg won(double price, int rule4 = 0) {
    return leg(WonFifth, price, rule4);
}

SettlementTerms prefs(bool taxPaid, int lucky15Consolation, int lucky15Bonus) {
    SettlementTerms terms = startTerms(taxPaid);
    terms.preferences.lucky15Consolation = lucky15Consolation;
    terms.preferences.lucky15Bonus = lucky15Bonus;
    return terms;
}

// Stakes are 10p a line (1000 hundredths of a penny).
struct Worked {
    const char* name;
    EachWayMode mode;
    int selections, betIndex;
    Legs legs;
    int bets;
    double returns;
    SettlementTerms terms = startTerms();
};

TEST(settlement, worked_slips_settle_to_the_hundredth_of_a_penny) {
    const Worked cases[] = {
        {"2/7 singles are made whole line by line", EachWayMode::Win, 2, 0,
         Legs{won(2.0 / 7.0), won(2.0 / 7.0)}, 2, 2572},
        {"Yankee with a non-runner: doubles as singles, trebles as doubles", EachWayMode::Win, 4, 8,
         Legs{evens, evens, evens, NR}, 11, 3 * 4000 + 3 * 2000 + 8000 + 3 * 4000 + 8000},
        {"double of non-runners refunds once", EachWayMode::Win, 2, 1, Legs{NR, NR}, 1, 1099},
        {"Lucky 15 lone winner at treble odds", EachWayMode::Win, 4, 7, Legs{L, L, won(5.0, 10), L},
         15, 14500, prefs(false, 3, 10)},
        {"a non-runner cancels the consolation", EachWayMode::Win, 4, 7,
         Legs{L, L, won(5.0, 10), NR}, 15, 5500 + 1090 + 5500, prefs(true, 3, 10)},
        {"Lucky 15 all winners, 30% bonus", EachWayMode::Win, 4, 7,
         Legs{evens, evens, evens, evens}, 15, 104000, prefs(false, 2, 30)},
        {"a Yankee has no bonus", EachWayMode::Win, 4, 8, Legs{evens, evens, evens, evens}, 11,
         72000, prefs(false, 2, 30)},
        {"E/D non-runner with tax paid", EachWayMode::Ed, 1, 0, Legs{NR}, 2, 2180,
         startTerms(true)},
        {"E/D win-only winner's place part pays the full price", EachWayMode::Ed, 1, 0,
         Legs{leg(WonWinOnly, 3.0)}, 2, 8000},
        {"E/D Lucky 15 all winners with the bonus is not quite 98334.5", EachWayMode::Ed, 4, 7,
         Legs{evens, evens, evens, evens}, 30, 98334.50000000001},
        {"E/D Lucky 15 lone winner still pays place lines", EachWayMode::Ed, 4, 7,
         Legs{leg(PlacedFifth, 3.0), L, won(2.0), L}, 30, 6400 + 1600 + 5120},
        {"W/W P/P place carry alone after a placed leg", EachWayMode::Wwpp, 2, 1,
         Legs{won(2.0), leg(PlacedFifth, 2.0)}, 2, 1960},
        {"W/W P/P Lucky 15 all winners with the bonus", EachWayMode::Wwpp, 4, 7,
         Legs{evens, evens, evens, evens}, 30, 112668.6},
        {"W/W P/P Lucky 63 lone winner", EachWayMode::Wwpp, 6, 6,
         Legs{leg(PlacedFifth, 3.0), L, L, L, won(2.0), L}, 126, 6400 + 1600 + 2240},
    };
    for (const Worked& c : cases) {
        SCOPED_TRACE(c.name);
        const Settled settled = settle(c.terms, {c.selections, c.betIndex, c.mode, 10, c.legs});
        EXPECT_EQ(settled.returns, c.returns);
        EXPECT_EQ(settled.numberOfBets, c.bets);
    }
}

TEST(settlement, a_mode_off_the_list_settles_no_bets_and_nothing) {
    const Settled settled =
        settle(startTerms(), {1, 0, static_cast<EachWayMode>(3), 10, {won(2.0)}});
    EXPECT_EQ(settled.numberOfBets, 0);
    EXPECT_EQ(settled.returns, 0.0);
}

TEST(stakes_about, follow_on_bet_is_struck_only_when_the_first_return_exceeds_its_stake) {
    const SettlementTerms terms = startTerms();
    EXPECT_EQ(winStakesAbout(terms, won(2.0), L, 1000), 2000);
    EXPECT_EQ(winStakesAbout(terms, L, won(2.0), 1000), 0);
    EXPECT_EQ(edStakesAbout(terms, leg(PlacedFifth, 2.0), evens, 1000), 1400);
    EXPECT_EQ(edStakesAbout(terms, leg(PlacedFifth, 5.0), evens, 1000),
              2000);  // just its two stakes back
    EXPECT_EQ(edStakesAbout(terms, leg(PlacedFifth, 6.0), evens, 1000), 200 + 3200);
    EXPECT_EQ(edStakesAbout(terms, leg(PlacedFifth, 6.0), NR, 1000), 2200);
}

}  // namespace
}  // namespace quorvel::testing
