#include "engine/settlement.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace quorvel {
namespace {

using test::leg;
using test::lost;
using test::nonRunner;
using test::settle;

// Stakes are 10p a line (1000 hundredths of a penny), no Rule 4 unless said.

TEST(win_mode, lines_are_made_whole_one_by_one_and_counted_even_when_lost) {
    EXPECT_EQ(settle(settleWin, 1, -1, {leg(WonFifth, 5.0, 15)}).returns, 5250);
    EXPECT_EQ(settle(settleWin, 2, 1, {leg(WonFifth, 5.0), leg(WonFifth, 1.375)}).returns, 14250);
    const Leg twoSevens = leg(WonFifth, 2.0 / 7.0);
    EXPECT_EQ(settle(settleWin, 2, 0, {twoSevens, twoSevens}).returns, 2572);  // 1285.71 twice
    EXPECT_EQ(settle(settleWin, 4, 8, {lost(), lost(), lost(), lost()}).bets, 11);
    EXPECT_EQ(settle(settleWin, 2, 3, {twoSevens, twoSevens}).bets, 0);
    const Leg w = leg(WonFifth, 1.0);
    // Yankee, leg 4 a non-runner: three doubles pay as singles, three trebles as doubles.
    EXPECT_EQ(settle(settleWin, 4, 8, {w, w, w, nonRunner()}).returns,
              3 * 4000 + 3 * 2000 + 8000 + 3 * 4000 + 8000);
}

TEST(win_lucky, lone_winner_alone_is_paid_at_the_consolation_odds) {
    const std::vector<Leg> slip = {lost(), lost(), leg(WonFifth, 5.0, 10), lost()};
    AppState app = test::startApp();
    const test::Settled s = settle(settleWin, 4, 7, slip, app);
    EXPECT_EQ(s.bets, 15);
    EXPECT_EQ(s.returns, 10000);  // 10/1 less 10p in the pound
    EXPECT_EQ(s.legs[0].price, 10.0);
    app.lucky15Consolation = 3;
    EXPECT_EQ(settle(settleWin, 4, 7, slip, app).returns, 14500);
    app.taxPaid = 1;
    // A non-runner cancels it: singles 3 and 4, and double 3-4 as single 3.
    EXPECT_EQ(settle(settleWin, 4, 7, {lost(), lost(), slip[2], nonRunner()}, app).returns,
              5500 + 1090 + 5500);
}

TEST(win_lucky, all_winners_bonus_uses_the_bets_own_percentage) {
    AppState app = test::startApp();
    app.lucky15Bonus = 30;
    const std::vector<Leg> four(4, leg(WonFifth, 1.0));  // 15 lines return 80000
    EXPECT_EQ(settle(settleWin, 4, 7, four, app).returns, 104000);
    EXPECT_EQ(settle(settleWin, 4, 8, four, app).returns, 72000);  // a Yankee has no bonus
    app.lucky31Bonus = 0;
    const std::vector<Leg> five(5, leg(WonFifth, 1.0));
    EXPECT_EQ(settle(settleWin, 5, 5, five, app).returns,
              settle(settleWin, 5, 6, five, app).returns + 5 * 2000);
}

TEST(each_way_ed, whole_return_of_a_leg_is_divided_equally_onto_the_next) {
    EXPECT_EQ(settle(settleEd, 1, 3, {leg(WonFifth, 1.0)}).returns, 3200);
    const test::Settled placedSecond =
        settle(settleEd, 2, 1, {leg(WonFifth, 1.0), leg(PlacedQuarter, 2.0)});
    EXPECT_EQ(placedSecond.bets, 2);
    EXPECT_EQ(placedSecond.returns, 2400);
    EXPECT_EQ(settle(settleEd, 2, 1, {leg(WonFifth, 1.0), nonRunner()}).returns, 3200);
    EXPECT_EQ(settle(settleEd, 1, 0, {nonRunner()}, test::startApp(1)).returns, 2180);
    EXPECT_EQ(settle(settleEd, 4, 9, std::vector<Leg>(4, lost())).bets, 46);  // Flag
}

TEST(each_way_ed, lucky_15_bonus_and_lone_winner_consolation) {
    // 89395 with the bonus is not exactly 98334.5 in doubles.
    EXPECT_EQ(settle(settleEd, 4, 7, std::vector<Leg>(4, leg(WonFifth, 1.0))).returns,
              98334.50000000001);
    const test::Settled s =
        settle(settleEd, 4, 7, {leg(PlacedFifth, 3.0), lost(), leg(WonFifth, 2.0), lost()});
    EXPECT_EQ(s.returns, 6400 + 1600 + 5120);
    EXPECT_EQ(s.legs[0].price, 4.0);
    EXPECT_EQ(s.legs[0].placePrice, 2.0);
    EXPECT_EQ(settle(settleWin, 4, 7, {leg(WonFifth, 2.0), leg(PlacedFifth, 3.0), lost(), lost()})
                  .returns,
              5000);
}

TEST(each_way_wwpp, carries_win_to_win_and_place_to_place) {
    EXPECT_EQ(settle(settleWwpp, 2, 1, {leg(WonQuarter, 1.5), leg(WonFifth, 2.0)}).returns, 9425);
    EXPECT_EQ(settle(settleWwpp, 4, 7, std::vector<Leg>(4, leg(WonFifth, 1.0))).returns, 112668.6);
    const test::Settled lone =
        settle(settleWwpp, 6, 6,
               {leg(PlacedFifth, 3.0), lost(), lost(), lost(), leg(WonFifth, 2.0), lost()});
    EXPECT_EQ(lone.bets, 126);
    EXPECT_EQ(lone.returns, 6400 + 1600 + 2240);
    EXPECT_EQ(lone.legs[0].price, 4.0);
    const Leg w = leg(WonFifth, 2.0);
    EXPECT_EQ(settle(settleWwpp, 3, 6, {w, w, w}).bets, 0);        // Round-Robin
    EXPECT_EQ(settle(settleWwpp, 4, 9, {w, w, w, w}).returns, 0);  // Flag
}

TEST(settlement_observer, reports_the_rows_the_legs_were_entered_on_and_the_bonus) {
    struct Seen {
        std::vector<LineReport> lines;
        double factor = 0.0;
    } seen;
    const SettlementObserver observer{
        &seen, [](void* c, const LineReport& r) { static_cast<Seen*>(c)->lines.push_back(r); },
        [](void* c, double f) { static_cast<Seen*>(c)->factor = f; }};
    Legs legs = {leg(PlacedFifth, 3.0), lost(), leg(WonFifth, 2.0), lost()};
    int bets = 0;
    settleEd(test::startApp(), 7, bets, 4, legs, 1000, &observer);
    ASSERT_EQ(seen.lines.size(), 15u);
    EXPECT_EQ(seen.lines[0].rows[0], 3);  // single 1 is the winner entered on row 3
    EXPECT_EQ(seen.lines[0].roundedReturn, 6400);
    EXPECT_EQ(seen.lines[2].rows[0], 1);
    EXPECT_EQ(seen.factor, 0.0);
    legs.fill(leg(WonFifth, 1.0));
    settleWin(test::startApp(), 7, bets, 4, legs, 1000, &observer);
    EXPECT_EQ(seen.factor, 1.1);
}

}  // namespace
}  // namespace quorvel
