#include "engine/leg_operations.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_legs.h"

namespace quorvel {
namespace {

using test::leg;
using test::lost;
using test::nonRunner;

// Amounts are hundredths of a penny: 1000 is a 10p stake.

TEST(leg_return, rule4_reduces_the_winnings_but_never_the_stake) {
    const AppState app = test::startApp();
    EXPECT_EQ(winReturn(app, leg(WonFifth, 2.0, 25), 10000), 25000);
    EXPECT_EQ(winReturn(app, leg(PlacedQuarter, 2.0), 10000), 0);
    EXPECT_EQ(winReturn(app, leg(WonFifth, 2.0), 0), 0);
    EXPECT_EQ(winReturn(app, leg(WonFifth, 2.0), -1000), 0);
}

TEST(leg_return, place_part_pays_its_fraction_of_the_place_price) {
    const AppState app = test::startApp();
    EXPECT_EQ(placeReturn(app, leg(PlacedQuarter, 10.0), 10000), 35000);
    EXPECT_EQ(placeReturn(app, leg(WonWinOnly, 3.0), 10000), 40000);
    EXPECT_EQ(placeReturn(app, leg(WonFifth, 1.0), 1000), 1200);
    EXPECT_EQ(placeReturn(app, leg(Lost, 5.0), 1000), 0);
    Leg raised = leg(WonFifth, 2.0);
    raised.price = 4.0;  // a consolation raises the win price only
    EXPECT_EQ(eachWayReturn(app, raised, 1000), 5000 + 1400);
}

TEST(leg_return, non_runner_refund_gives_back_what_was_paid) {
    AppState app = test::startApp(0);
    EXPECT_EQ(winReturn(app, nonRunner(), 1000), 1099);  // 1/0.91 of 10p, whole hundredths
    EXPECT_EQ(placeReturn(app, nonRunner(), 1000), 1099);
    app.taxPaid = 1;
    EXPECT_EQ(winReturn(app, nonRunner(), 1005), 1.09 * 1005.0);  // 1095.45, not made whole
    EXPECT_EQ(placeReturn(app, nonRunner(), 1005), 1095);
}

TEST(multiple, each_family_carries_returns_from_leg_to_leg) {
    const AppState app = test::startApp();
    const Leg twoToOne = leg(WonFifth, 2.0), evens = leg(WonFifth, 1.0);
    const Leg* winDouble[] = {&twoToOne, &evens};
    EXPECT_EQ(winMultiple(app, winDouble, 1000), 6000);

    const Leg fourToOne = leg(WonQuarter, 4.0), twoQuarter = leg(WonQuarter, 2.0);
    const Leg* eachWayDouble[] = {&fourToOne, &twoQuarter};
    EXPECT_EQ(edMultiple(app, eachWayDouble, 1000), 15750);    // 7000 halved onto each part
    EXPECT_EQ(wwppMultiple(app, eachWayDouble, 1000), 18000);  // 15000 to win, 3000 to place

    const Leg sixToFour = leg(WonQuarter, 1.5);
    const Leg* wwppDouble[] = {&sixToFour, &twoToOne};
    EXPECT_EQ(wwppMultiple(app, wwppDouble, 1000), 9425);

    const Leg placed = leg(PlacedFifth, 2.0);
    const Leg* wonThenPlaced[] = {&twoToOne, &placed};
    EXPECT_EQ(wwppMultiple(app, wonThenPlaced, 1000), 1960);  // the place carry alone
}

TEST(multiple, non_runners_are_dropped_and_all_non_runners_refund_one_single) {
    const AppState app = test::startApp();
    const Leg nr = nonRunner(), a = leg(WonQuarter, 4.0), b = leg(PlacedFifth, 2.5);
    const Leg* withNonRunner[] = {&nr, &a, &b};
    const Leg* without[] = {&a, &b};
    EXPECT_EQ(winMultiple(app, withNonRunner, 1000), winMultiple(app, without, 1000));
    EXPECT_EQ(edMultiple(app, withNonRunner, 1000), edMultiple(app, without, 1000));
    EXPECT_EQ(wwppMultiple(app, withNonRunner, 1000), wwppMultiple(app, without, 1000));

    const Leg* allNonRunners[] = {&nr, &nr, &nr};
    EXPECT_EQ(winMultiple(app, allNonRunners, 1000), 1099);
    EXPECT_EQ(edMultiple(app, allNonRunners, 1000), 2198);
    EXPECT_EQ(wwppMultiple(app, allNonRunners, 1000), 2198);
}

TEST(stakes_about, follow_on_bet_is_struck_only_when_the_first_return_exceeds_its_stake) {
    const AppState app = test::startApp();
    EXPECT_EQ(winStakesAbout(app, leg(WonFifth, 2.0), lost(), 1000), 2000);
    EXPECT_EQ(winStakesAbout(app, lost(), leg(WonFifth, 2.0), 1000), 0);
    EXPECT_EQ(winStakesAbout(app, nonRunner(), leg(WonFifth, 2.0), 1000), 3000);

    const Leg b = leg(WonFifth, 1.0);
    EXPECT_EQ(edStakesAbout(app, leg(PlacedFifth, 2.0), b, 1000), 1400);
    EXPECT_EQ(edStakesAbout(app, leg(PlacedFifth, 6.0), b, 1000), 200 + 3200);
    EXPECT_EQ(edStakesAbout(app, leg(PlacedFifth, 6.0), nonRunner(), 1000), 2200);
}

TEST(count_winners, lone_winner_moves_to_the_first_slot_with_its_whole_record) {
    std::vector<Leg> legs = {lost(3.0), leg(PlacedFifth, 4.0), lost(5.0), leg(WonWinOnly, 6.0, 15)};
    EXPECT_EQ(countWinners(legs), 1);
    EXPECT_EQ(legs[0].result, WonWinOnly);
    EXPECT_EQ(legs[0].placePrice, 6.0);
    EXPECT_EQ(legs[0].rule4, 15);
    EXPECT_EQ(legs[3].price, 3.0);

    std::vector<Leg> twoWinners = {lost(3.0), leg(WonFifth, 4.0), leg(WonFifth, 5.0)};
    EXPECT_EQ(countWinners(twoWinners), 2);
    EXPECT_EQ(twoWinners[0].price, 3.0);

    std::vector<Leg> withNonRunner = {lost(3.0), leg(WonFifth, 4.0), nonRunner()};
    EXPECT_EQ(countWinners(withNonRunner), 0);
    EXPECT_EQ(withNonRunner[0].price, 3.0);
}

}  // namespace
}  // namespace quorvel
