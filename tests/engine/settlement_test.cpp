#include "engine/settlement.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_legs.h"

namespace quorvel {
namespace {

using test::leg;
using test::lost;
using test::nonRunner;

constexpr double kTenPence = 1000.0;  // hundredths of a penny

using Mode = double (*)(const AppState&, int, int&, int, Legs&, double, const SettlementObserver*);

struct Settled {
    int bets;
    double returns;
    Legs legs;  // as the mode left them
};

Settled settle(Mode mode, int selections, int betIndex, std::vector<Leg> slip,
               const AppState& app = test::startApp(), double stake = kTenPence) {
    Settled settled{-1, 0.0, {}};
    std::copy(slip.begin(), slip.end(), settled.legs.begin());
    settled.returns = mode(app, betIndex, settled.bets, selections, settled.legs, stake, nullptr);
    return settled;
}

TEST(win_mode, single_settles_whatever_the_bet_list_shows) {
    for (int betIndex : {0, 3, -1}) {
        const Settled s = settle(settleWin, 1, betIndex, {leg(WonFifth, 5.0)});
        EXPECT_EQ(s.bets, 1);
        EXPECT_EQ(s.returns, 6000);
    }
    EXPECT_EQ(settle(settleWin, 1, 0, {leg(WonFifth, 5.0, 15)}).returns, 5250);
    EXPECT_EQ(settle(settleWin, 1, 0, {lost(5.0)}).returns, 0);
}

TEST(win_mode, lines_are_rounded_one_by_one) {
    const Settled twoSevens =
        settle(settleWin, 2, 0, {leg(WonFifth, 2.0 / 7.0), leg(WonFifth, 2.0 / 7.0)});
    EXPECT_EQ(twoSevens.bets, 2);
    EXPECT_EQ(twoSevens.returns, 2572);  // 1285.71 twice, each made whole
    EXPECT_EQ(settle(settleWin, 2, 1, {leg(WonFifth, 5.0), leg(WonFifth, 1.375)}).returns, 14250);
}

TEST(win_mode, bets_count_lines_even_when_nothing_is_returned) {
    const std::vector<Leg> fourLosers(4, lost());
    EXPECT_EQ(settle(settleWin, 4, 8, fourLosers).bets, 11);
    EXPECT_EQ(settle(settleWin, 4, 8, fourLosers).returns, 0);
    const Settled noStake =
        settle(settleWin, 4, 7, std::vector<Leg>(4, leg(WonFifth, 2.0)), test::startApp(), 0.0);
    EXPECT_EQ(noStake.bets, 15);
    EXPECT_EQ(noStake.returns, 0);
    EXPECT_EQ(settle(settleWin, 2, 3, {leg(WonFifth, 2.0), leg(WonFifth, 2.0)}).bets, 0);
}

TEST(win_mode, yankee_with_a_non_runner_settles_the_smaller_multiples) {
    const Leg w = leg(WonFifth, 1.0);
    const Settled s = settle(settleWin, 4, 8, {w, w, w, nonRunner()});
    // Doubles: three of 4000, three singles of 2000; trebles: one of 8000,
    // three doubles of 4000; the 4-fold as a treble.
    EXPECT_EQ(s.returns, 3 * 4000 + 3 * 2000 + 8000 + 3 * 4000 + 8000);
}

TEST(win_lucky, lone_winner_is_paid_alone_at_the_consolation_odds) {
    const std::vector<Leg> slip = {lost(), lost(), leg(WonFifth, 5.0), lost()};
    const Settled s = settle(settleWin, 4, 7, slip);
    EXPECT_EQ(s.bets, 15);
    EXPECT_EQ(s.returns, 11000);
    EXPECT_EQ(s.legs[0].price, 10.0);
    EXPECT_EQ(s.legs[2].price, 1.0);

    std::vector<Leg> withRule4 = slip;
    withRule4[2].rule4 = 10;
    EXPECT_EQ(settle(settleWin, 4, 7, withRule4).returns, 10000);

    AppState app = test::startApp();
    app.lucky15Consolation = 1;
    EXPECT_EQ(settle(settleWin, 4, 7, slip, app).returns, 6000);
    app.lucky15Consolation = 3;
    EXPECT_EQ(settle(settleWin, 4, 7, slip, app).returns, 16000);
}

TEST(win_lucky, a_non_runner_cancels_the_consolation) {
    AppState app = test::startApp(1);  // the refund of 10p with tax paid is 1090
    const Settled s =
        settle(settleWin, 4, 7, {lost(), lost(), leg(WonFifth, 5.0), nonRunner()}, app);
    // Single 3 and double 3-4 (a single on leg 3) pay 6000 each; single 4 is refunded.
    EXPECT_EQ(s.returns, 6000 + 1090 + 6000);
    EXPECT_EQ(s.legs[0].result, Lost);
}

TEST(win_lucky, all_winners_bonus_uses_the_bets_own_percentage) {
    const std::vector<Leg> four(4, leg(WonFifth, 1.0));
    // 4 × 2000 + 6 × 4000 + 4 × 8000 + 16000 = 80000
    AppState app = test::startApp();
    app.lucky15Bonus = 0;
    EXPECT_EQ(settle(settleWin, 4, 7, four, app).returns, 80000);
    app.lucky15Bonus = 30;
    EXPECT_EQ(settle(settleWin, 4, 7, four, app).returns, 104000);
    EXPECT_EQ(settle(settleWin, 4, 8, four, app).returns, 80000 - 8000);  // a Yankee has none

    const std::vector<Leg> five(5, leg(WonFifth, 1.0));
    const double plain = settle(settleWin, 5, 6, five).returns + 5 * 2000;
    app.lucky31Bonus = 0;
    EXPECT_EQ(settle(settleWin, 5, 5, five, app).returns, plain);  // lucky15Bonus is 30
}

TEST(each_way_ed, single_and_double_divide_each_return_equally) {
    for (int betIndex : {0, 3, -1}) {
        const Settled s = settle(settleEd, 1, betIndex, {leg(WonFifth, 1.0)});
        EXPECT_EQ(s.bets, 2);
        EXPECT_EQ(s.returns, 3200);
    }
    EXPECT_EQ(settle(settleEd, 2, 1, {leg(WonFifth, 1.0), leg(PlacedQuarter, 2.0)}).returns, 2400);
    EXPECT_EQ(settle(settleEd, 2, 1, {leg(WonFifth, 1.0), nonRunner()}).returns, 3200);
    EXPECT_EQ(settle(settleEd, 2, 3, {leg(WonFifth, 1.0), leg(WonFifth, 1.0)}).bets, 0);
}

TEST(each_way_ed, non_runner_single_refunds_both_parts) {
    EXPECT_EQ(settle(settleEd, 1, 0, {nonRunner()}, test::startApp(1)).returns, 2180);
    EXPECT_EQ(settle(settleEd, 1, 0, {nonRunner()}, test::startApp(0)).returns, 2198);
}

TEST(each_way_ed, lucky_15_all_winners_bonus_multiplies_the_rounded_lines) {
    const Settled s = settle(settleEd, 4, 7, std::vector<Leg>(4, leg(WonFifth, 1.0)));
    EXPECT_EQ(s.bets, 30);
    // 89395 (the 4-fold's 13107.2 made whole) times 1.1 is not exactly 98334.5 in doubles.
    EXPECT_EQ(s.returns, 98334.50000000001);
}

TEST(each_way_ed, lucky_15_lone_winner_raises_the_win_odds_and_settles_every_line) {
    const std::vector<Leg> slip = {leg(WonFifth, 2.0), leg(PlacedFifth, 3.0), lost(), lost()};
    const Settled s = settle(settleEd, 4, 7, slip);
    EXPECT_EQ(s.returns, 6400 + 1600 + 5120);
    EXPECT_EQ(s.legs[0].price, 4.0);
    EXPECT_EQ(s.legs[0].placePrice, 2.0);
    EXPECT_EQ(settle(settleWin, 4, 7, slip).returns, 5000);

    const std::vector<Leg> winnerOnRow3 = {leg(PlacedFifth, 3.0), lost(), leg(WonFifth, 2.0),
                                           lost()};
    EXPECT_EQ(settle(settleEd, 4, 7, winnerOnRow3).returns,
              settle(settleEd, 4, 7, {slip[0], lost(), slip[1], lost()}).returns);
}

TEST(each_way_ed, lucky_31_with_a_winner_and_a_non_runner_keeps_the_prices) {
    const Settled s =
        settle(settleEd, 5, 5, {lost(), leg(WonFifth, 2.0), nonRunner(), lost(), lost()});
    EXPECT_EQ(s.legs[1].price, 2.0);
    EXPECT_EQ(s.legs[0].result, Lost);
}

TEST(each_way_wwpp, double_carries_win_to_win_and_place_to_place) {
    const Settled s = settle(settleWwpp, 2, 1, {leg(WonQuarter, 1.5), leg(WonFifth, 2.0)});
    EXPECT_EQ(s.bets, 2);
    EXPECT_EQ(s.returns, 9425);
}

TEST(each_way_wwpp, lucky_15_all_winners_and_lone_winner) {
    const Settled all = settle(settleWwpp, 4, 7, std::vector<Leg>(4, leg(WonFifth, 1.0)));
    EXPECT_EQ(all.bets, 30);
    EXPECT_EQ(all.returns, 112668.6);  // 102426 with the 10 % bonus
    const Settled one =
        settle(settleWwpp, 4, 7, {leg(WonFifth, 2.0), leg(PlacedFifth, 3.0), lost(), lost()});
    EXPECT_EQ(one.returns, 10240);
}

TEST(each_way_wwpp, stakes_about_bets_have_no_lines) {
    const Leg w = leg(WonFifth, 2.0);
    EXPECT_EQ(settle(settleWwpp, 3, 6, {w, w, w}).bets, 0);
    EXPECT_EQ(settle(settleWwpp, 3, 6, {w, w, w}).returns, 0);
    EXPECT_EQ(settle(settleWwpp, 4, 9, {w, w, w, w}).bets, 0);
    EXPECT_EQ(settle(settleEd, 4, 9, {w, w, w, w}).bets, 46);
}

TEST(each_way_wwpp, lucky_63_lone_winner_is_left_first_with_the_raised_price) {
    const Settled s = settle(settleWwpp, 6, 6,
                             {lost(), lost(), lost(), lost(), leg(WonQuarter, 3.0, 20), lost()});
    EXPECT_EQ(s.bets, 126);
    EXPECT_EQ(s.legs[0].price, 6.0);
    EXPECT_EQ(s.legs[0].placePrice, 3.0);
    EXPECT_EQ(s.legs[0].rule4, 20);
}

struct Recorded {
    std::vector<LineReport> lines;
    std::vector<double> factors;
};

TEST(settlement_observer, reports_the_rows_the_legs_were_entered_on) {
    Recorded recorded;
    const SettlementObserver observer{
        &recorded,
        [](void* c, const LineReport& r) { static_cast<Recorded*>(c)->lines.push_back(r); },
        [](void* c, double f) { static_cast<Recorded*>(c)->factors.push_back(f); }};
    Legs legs = {leg(PlacedFifth, 3.0), lost(), leg(WonFifth, 2.0), lost()};
    int bets = 0;
    settleEd(test::startApp(), 7, bets, 4, legs, kTenPence, &observer);
    ASSERT_EQ(recorded.lines.size(), 15u);
    EXPECT_EQ(recorded.lines[0].rows[0], 3);  // single 1 is the winner entered on row 3
    EXPECT_EQ(recorded.lines[2].rows[0], 1);  // single 3 is the leg entered on row 1
    EXPECT_EQ(recorded.lines[0].roundedReturn, 6400);
    EXPECT_TRUE(recorded.factors.empty());

    recorded = {};
    Legs winners = {leg(WonFifth, 1.0), leg(WonFifth, 1.0), leg(WonFifth, 1.0), leg(WonFifth, 1.0)};
    settleWin(test::startApp(), 7, bets, 4, winners, kTenPence, &observer);
    EXPECT_EQ(recorded.lines.size(), 15u);
    ASSERT_EQ(recorded.factors.size(), 1u);
    EXPECT_EQ(recorded.factors[0], 1.1);
}

}  // namespace
}  // namespace quorvel
