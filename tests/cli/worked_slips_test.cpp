// Slips worked out by hand, settled through the program and compared as the window shows them.

#include <gtest/gtest.h>

#include <ostream>

#include "settle_process.h"

namespace {

using quorvel::testing::settleJsonLine;

struct WorkedSlip {
    const char* name;
    const char* slip;
    const char* result;
};

void PrintTo(const WorkedSlip& row, std::ostream* out) {
    *out << row.name;
}

class worked_slip : public ::testing::TestWithParam<WorkedSlip> {};

TEST_P(worked_slip, settles_to_the_amounts_the_window_shows) {
    EXPECT_EQ(settleJsonLine(GetParam().slip), GetParam().result) << GetParam().slip;
}

const WorkedSlip kWorkedSlips[] = {
    // Tax, rounding and the stake box.
    {"evens_winner_with_tax_paid_adds_tax_to_the_stake", R"({"legs": [{"result": "Won"}]})",
     R"({"bets": 1, "totalStake": "£0.11", "returns": "£0.20"})"},
    {"evens_winner_without_tax_paid_deducts_tax_from_returns",
     R"({"taxPaid": false, "legs": [{"result": "Won"}]})",
     R"({"bets": 1, "totalStake": "£0.10", "returns": "£0.18"})"},
    {"non_runner_without_tax_paid_gives_back_the_stake",
     R"({"taxPaid": false, "legs": [{"result": "Non-Runner"}]})",
     R"({"bets": 1, "totalStake": "£0.10", "returns": "£0.10"})"},
    {"non_runner_with_tax_paid_gives_back_stake_and_tax", R"({"legs": [{"result": "Non-Runner"}]})",
     R"({"bets": 1, "totalStake": "£0.11", "returns": "£0.11"})"},
    {"fifteen_lines_of_ten_pence_cost_one_sixty_four_with_tax",
     R"({"bet": "Lucky 15", "legs": [{}, {}, {}, {}]})",
     R"({"bets": 15, "totalStake": "£1.64", "returns": "£0.00"})"},
    {"empty_stake_box_settles_at_ten_pence", R"({"stake": "", "legs": [{"result": "Won"}]})",
     R"({"bets": 1, "totalStake": "£0.11", "returns": "£0.20"})"},
    {"stake_text_12abc_settles_at_twelve_pence",
     R"({"stake": "12abc", "taxPaid": false, "legs": [{"result": "Won"}]})",
     R"({"bets": 1, "totalStake": "£0.12", "returns": "£0.22"})"},
    {"stake_text_without_digits_settles_at_nothing",
     R"({"stake": "abc", "legs": [{"result": "Won"}]})",
     R"({"bets": 1, "totalStake": "£0.00", "returns": "£0.00"})"},
    {"negative_stake_settles_as_nothing", R"({"stake": " -5", "legs": [{"result": "Won"}]})",
     R"({"bets": 1, "totalStake": "£0.00", "returns": "£0.00"})"},
    {"stake_in_whole_pence_reads_as_the_box_would",
     R"({"stake": 12, "taxPaid": false, "legs": [{"result": "Won"}]})",
     R"({"bets": 1, "totalStake": "£0.12", "returns": "£0.22"})"},
    {"six_winners_at_1250_on_a_seven_digit_stake_show_every_digit",
     R"({"bet": "Accumulator", "stake": 9999999, "legs": [{"result": "Won", "price": "1250/1"},
        {"result": "Won", "price": "1250/1"}, {"result": "Won", "price": "1250/1"},
        {"result": "Won", "price": "1250/1"}, {"result": "Won", "price": "1250/1"},
        {"result": "Won", "price": "1250/1"}]})",
     R"({"bets": 1, "totalStake": "£108999.99", "returns": "£383304408937524847706112.00"})"},
    {"preferences_tax_rate_twenty_deducts_a_fifth",
     R"({"taxPaid": false, "preferences": {"taxRate": 20}, "legs": [{"result": "Won"}]})",
     R"({"bets": 1, "totalStake": "£0.10", "returns": "£0.16"})"},

    // Win settlement.
    {"rule4_fifteen_pence_leaves_fifty_three_pence",
     R"({"legs": [{"result": "Won", "price": "5/1", "rule4": "15p per £"}]})",
     R"({"bets": 1, "totalStake": "£0.11", "returns": "£0.53"})"},
    {"double_carries_the_first_return_onto_the_second",
     R"({"bet": "Double", "legs": [{"result": "Won", "price": "5/1"},
        {"result": "Won", "price": "11/8"}]})",
     R"({"bets": 1, "totalStake": "£0.11", "returns": "£1.43"})"},
    {"two_singles_at_seven_to_two_odds_on",
     R"({"bet": "Singles", "legs": [{"result": "Won", "price": "7/2", "oddsOn": true},
        {"result": "Won", "price": "7/2", "oddsOn": true}]})",
     R"({"bets": 2, "totalStake": "£0.22", "returns": "£0.26"})"},
    {"bet_position_past_the_list_settles_nothing",
     R"({"bet": 10, "legs": [{"result": "Won"}, {}, {}, {}]})",
     R"({"bets": 0, "totalStake": "£0.00", "returns": "£0.00"})"},
    {"negative_bet_position_settles_nothing",
     R"({"bet": -1, "legs": [{"result": "Won"}, {"result": "Won"}]})",
     R"({"bets": 0, "totalStake": "£0.00", "returns": "£0.00"})"},
    {"one_selection_settles_the_single_at_any_position",
     R"({"bet": 3, "legs": [{"result": "Won"}]})",
     R"({"bets": 1, "totalStake": "£0.11", "returns": "£0.20"})"},

    // Lucky consolation and bonus.
    {"lucky15_lone_winner_in_row_three_gets_double_odds",
     R"({"bet": "Lucky 15", "legs": [{}, {}, {"result": "Won", "price": "5/1"}, {}]})",
     R"({"bets": 15, "totalStake": "£1.64", "returns": "£1.10"})"},
    {"lucky15_consolation_odds_lose_rule4_too",
     R"({"bet": "Lucky 15", "legs": [{}, {}, {"result": "Won", "price": "5/1", "rule4": 10}, {}]})",
     R"({"bets": 15, "totalStake": "£1.64", "returns": "£1.00"})"},
    {"lucky15_all_winners_at_evens_earn_the_ten_percent_bonus",
     R"({"bet": "Lucky 15", "legs": [{"result": "Won"}, {"result": "Won"}, {"result": "Won"},
        {"result": "Won"}]})",
     R"({"bets": 15, "totalStake": "£1.64", "returns": "£8.80"})"},
    {"lucky31_keeps_its_own_bonus_when_lucky15s_changes",
     R"({"bet": "Lucky 31", "preferences": {"lucky15Bonus": 30}, "legs": [{"result": "Won"},
        {"result": "Won"}, {"result": "Won"}, {"result": "Won"}, {"result": "Won"}]})",
     R"({"bets": 31, "totalStake": "£3.38", "returns": "£26.62"})"},

    // Each way, equally divided.
    {"each_way_evens_winner_pays_both_parts", R"({"eachWay": "E/D", "legs": [{"result": "Won"}]})",
     R"({"bets": 2, "totalStake": "£0.22", "returns": "£0.32"})"},
    {"each_way_double_onto_a_placed_leg_pays_the_place_half",
     R"({"bet": "Double", "eachWay": "E/D", "legs": [{"result": "Won"},
        {"result": "Place", "price": "2/1", "terms": "1/4"}]})",
     R"({"bets": 2, "totalStake": "£0.22", "returns": "£0.24"})"},
    {"each_way_non_runner_without_tax_paid_refunds_the_stake",
     R"({"eachWay": "E/D", "taxPaid": false, "legs": [{"result": "Non-Runner"}]})",
     R"({"bets": 2, "totalStake": "£0.20", "returns": "£0.20"})"},
    {"each_way_lucky15_all_winners_thirty_bets",
     R"({"bet": "Lucky 15", "eachWay": "E/D", "legs": [{"result": "Won"}, {"result": "Won"},
        {"result": "Won"}, {"result": "Won"}]})",
     R"({"bets": 30, "totalStake": "£3.27", "returns": "£9.83"})"},
    {"each_way_lucky15_lone_winner_still_pays_place_lines",
     R"({"bet": "Lucky 15", "eachWay": "E/D", "legs": [{"result": "Won", "price": "2/1"},
        {"result": "Place", "price": "3/1"}, {}, {}]})",
     R"({"bets": 30, "totalStake": "£3.27", "returns": "£1.31"})"},

    // Each way, win to win and place to place.
    {"wwpp_double_carries_win_and_place_apart",
     R"({"bet": "Double", "eachWay": "W/W P/P", "legs": [
        {"result": "Won", "price": "6/4", "terms": "1/4"}, {"result": "Won", "price": "2/1"}]})",
     R"({"bets": 2, "totalStake": "£0.22", "returns": "£0.94"})"},
    {"wwpp_lucky15_all_winners_with_bonus",
     R"({"bet": "Lucky 15", "eachWay": "W/W P/P", "legs": [{"result": "Won"}, {"result": "Won"},
        {"result": "Won"}, {"result": "Won"}]})",
     R"({"bets": 30, "totalStake": "£3.27", "returns": "£11.27"})"},
    {"wwpp_round_robin_has_no_lines",
     R"({"bet": "Round-Robin", "eachWay": "W/W P/P", "legs": [{"result": "Won"}, {}, {}]})",
     R"({"bets": 0, "totalStake": "£0.00", "returns": "£0.00"})"},
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(cli, worked_slip, ::testing::ValuesIn(kWorkedSlips),
                         quorvel::testing::rowName<worked_slip::ParamType>);
