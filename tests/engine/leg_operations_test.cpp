#include "engine/leg_operations.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace quorvel {
namespace {

using test::leg;
using test::lost;
using test::nonRunner;

// Amounts are hundredths of a penny: 1000 is a 10p stake.

TEST(leg_return, rule4_cuts_winnings_place_part_pays_its_fraction_of_the_place_price) {
    const AppState app = test::startApp();
    EXPECT_EQ(winReturn(app, leg(WonFifth, 2.0, 25), 10000), 25000);
    EXPECT_EQ(winReturn(app, leg(WonFifth, 2.0), -1000), 0);
    EXPECT_EQ(placeReturn(app, leg(PlacedQuarter, 10.0), 10000), 35000);
    EXPECT_EQ(placeReturn(app, leg(WonWinOnly, 3.0), 10000), 40000);
    Leg raised = leg(WonFifth, 2.0);
    raised.price = 4.0;  // a Lucky consolation raises the win price only
    EXPECT_EQ(eachWayReturn(app, raised, 1000), 5000 + 1400);
}

TEST(leg_return, non_runner_refund_gives_back_what_was_paid) {
    AppState app = test::startApp(0);
    EXPECT_EQ(winReturn(app, nonRunner(), 1000), 1099);  // 10p / 0.91, whole hundredths
    app.taxPaid = 1;
    EXPECT_EQ(winReturn(app, nonRunner(), 1005), 1.09 * 1005.0);  // not made whole
    EXPECT_EQ(placeReturn(app, nonRunner(), 1005), 1095);
}

TEST(multiple, each_family_carries_returns_from_leg_to_leg_without_its_non_runners) {
    const AppState app = test::startApp();
    const Leg twoToOne = leg(WonFifth, 2.0), evens = leg(WonFifth, 1.0), nr = nonRunner();
    const Leg* winDouble[] = {&twoToOne, &nr, &evens};
    EXPECT_EQ(winMultiple(app, winDouble, 1000), 6000);
    const Leg fourQuarter = leg(WonQuarter, 4.0), twoQuarter = leg(WonQuarter, 2.0);
    const Leg* eachWayDouble[] = {&nr, &fourQuarter, &twoQuarter};
    EXPECT_EQ(edMultiple(app, eachWayDouble, 1000), 15750);    // 7000 halved onto both parts
    EXPECT_EQ(wwppMultiple(app, eachWayDouble, 1000), 18000);  // 15000 win, 3000 place
    const Leg placed = leg(PlacedFifth, 2.0);
    const Leg* wonThenPlaced[] = {&twoToOne, &placed};
    EXPECT_EQ(wwppMultiple(app, wonThenPlaced, 1000), 1960);  // the place carry alone

    const Leg* allNonRunners[] = {&nr, &nr, &nr};  // one refund of the last leg
    EXPECT_EQ(winMultiple(app, allNonRunners, 1000), 1099);
    EXPECT_EQ(edMultiple(app, allNonRunners, 1000), 2198);
    EXPECT_EQ(wwppMultiple(app, allNonRunners, 1000), 2198);
}

TEST(stakes_about, follow_on_bet_is_struck_only_when_the_first_return_exceeds_its_stake) {
    const AppState app = test::startApp();
    EXPECT_EQ(winStakesAbout(app, leg(WonFifth, 2.0), lost(), 1000), 2000);
    EXPECT_EQ(winStakesAbout(app, lost(), leg(WonFifth, 2.0), 1000), 0);
    EXPECT_EQ(edStakesAbout(app, leg(PlacedFifth, 2.0), leg(WonFifth, 1.0), 1000), 1400);
    EXPECT_EQ(edStakesAbout(app, leg(PlacedFifth, 6.0), leg(WonFifth, 1.0), 1000), 200 + 3200);
    EXPECT_EQ(edStakesAbout(app, leg(PlacedFifth, 6.0), nonRunner(), 1000), 2200);
}

TEST(count_winners, lone_winner_moves_first_with_its_whole_record) {
    Leg legs[] = {leg(Lost, 3.0), leg(PlacedFifth, 4.0), lost(), leg(WonWinOnly, 6.0, 15)};
    EXPECT_EQ(countWinners(legs), 1);
    EXPECT_EQ(legs[0].placePrice, 6.0);
    EXPECT_EQ(legs[0].rule4, 15);
    EXPECT_EQ(legs[3].price, 3.0);
    Leg twoWinners[] = {leg(Lost, 3.0), leg(WonFifth, 4.0), leg(WonFifth, 5.0)};
    EXPECT_EQ(countWinners(twoWinners), 2);
    Leg withNonRunner[] = {leg(Lost, 3.0), leg(WonFifth, 4.0), nonRunner()};
    EXPECT_EQ(countWinners(withNonRunner), 0);
    EXPECT_EQ(twoWinners[0].price + withNonRunner[0].price, 6.0);  // neither was reordered
}

}  // namespace
}  // namespace quorvel
