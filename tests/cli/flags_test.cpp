// The one-slip form: the same slip as in JSON gives the same amounts, and the same errors.

#include <gtest/gtest.h>

#include <ostream>

#include "settle_process.h"

namespace {

using quorvel::testing::reportedValue;
using quorvel::testing::runSettle;
using quorvel::testing::settleJsonLine;

struct SameSlip {
    const char* name;
    std::vector<std::string> flags;
    const char* json;
};

void PrintTo(const SameSlip& row, std::ostream* out) {
    *out << row.name;
}

class same_slip_both_forms : public ::testing::TestWithParam<SameSlip> {};

TEST_P(same_slip_both_forms, shows_the_same_bets_and_amounts) {
    const auto run = runSettle(GetParam().flags);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string fromFlags = R"({"bets": )" + reportedValue(run.out, "Bets") +
                                  R"(, "totalStake": ")" + reportedValue(run.out, "Total stake") +
                                  R"(", "returns": ")" + reportedValue(run.out, "Returns") + "\"}";
    EXPECT_EQ(fromFlags, settleJsonLine(GetParam().json)) << run.out;
}

const SameSlip kSameSlips[] = {
    {"lucky15_each_way_without_tax",
     {"--bet", "Lucky 15", "--stake", "10", "--each-way", "E/D", "--no-tax-paid", "Won 5/1",
      "Place 3/1 1/4", "Lost", "Non-Runner"},
     R"({"bet": "Lucky 15", "stake": "10", "eachWay": "E/D", "taxPaid": false, "legs": [
        {"result": "Won", "price": "5/1"}, {"result": "Place", "price": "3/1", "terms": "1/4"},
        {"result": "Lost"}, {"result": "Non-Runner"}]})"},
    {"double_with_odds_on_rule4_and_win_only_terms",
     {"--bet", "1", "--each-way", "W/W P/P", "Won 6/4 odds-on rule4=25 Win Only",
      "Won rule4=10p per £ 100/30"},
     R"({"bet": 1, "eachWay": "W/W P/P", "legs": [{"result": "Won", "price": "6/4",
        "oddsOn": true, "rule4": 25, "terms": "Win Only"}, {"result": "Won", "price": "100/30",
        "rule4": "10p per £"}]})"},
    {"lucky63_with_every_preference_changed",
     {"--bet",
      "Lucky 63",
      "--stake",
      " 7x",
      "--tax-rate",
      "17",
      "--lucky15-consolation",
      "1",
      "--lucky15-bonus",
      "0",
      "--lucky31-consolation",
      "3",
      "--lucky31-bonus",
      "30",
      "--lucky63-consolation",
      "3",
      "--lucky63-bonus",
      "25",
      "Won 9/2",
      "Won 11/8",
      "Won 3/1",
      "Won Evens",
      "Won 85/40",
      "Won 7/4"},
     R"({"bet": "Lucky 63", "stake": " 7x", "preferences": {"taxRate": 17,
        "lucky15Consolation": 1, "lucky15Bonus": 0, "lucky31Consolation": 3, "lucky31Bonus": 30,
        "lucky63Consolation": 3, "lucky63Bonus": 25}, "legs": [{"result": "Won", "price": "9/2"},
        {"result": "Won", "price": "11/8"}, {"result": "Won", "price": "3/1"},
        {"result": "Won", "price": "Evens"}, {"result": "Won", "price": "85/40"},
        {"result": "Won", "price": "7/4"}]})"},
    {"defaults_everywhere",
     {"Lost", "Lost", "Won 2/1"},
     R"({"legs": [{}, {}, {"result": "Won", "price": "2/1"}]})"},
    {"empty_stake_box_and_out_of_list_position",
     {"--stake", "", "--bet=-1", "Won", "Won"},
     R"({"stake": "", "bet": -1, "legs": [
        {"result": "Won"}, {"result": "Won"}]})"},
};

INSTANTIATE_TEST_SUITE_P(cli, same_slip_both_forms, ::testing::ValuesIn(kSameSlips),
                         quorvel::testing::rowName<same_slip_both_forms::ParamType>);

struct WrongFlags {
    const char* name;
    std::vector<std::string> flags;
    const char* error;
};

void PrintTo(const WrongFlags& row, std::ostream* out) {
    *out << row.name;
}

class wrong_flags : public ::testing::TestWithParam<WrongFlags> {};

TEST_P(wrong_flags, are_reported_on_standard_error_as_in_json_with_status_2) {
    const auto run = runSettle(GetParam().flags);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, std::string("quorvel-settle: ") + GetParam().error + "\n");
}

const WrongFlags kWrongFlags[] = {
    {"price_not_on_the_list",
     {"Won 5/1", "Won 7/3"},
     R"(legs[2].price: "7/3" is not on the price list)"},
    {"place_in_win_mode",
     {"Place 3/1"},
     R"(legs[1].result: "Place" is offered only with eachWay "E/D" or "W/W P/P")"},
    {"seven_legs",
     {"Lost", "Lost", "Lost", "Lost", "Lost", "Lost", "Lost"},
     "legs: must hold 1 to 6 legs, not 7"},
    {"rule4_between_steps", {"Won 2/1 rule4=12"}, "legs[1].rule4: 12 is not 0..75 in steps of 5"},
    {"two_prices", {"Won 2/1 3/1"}, R"(legs[1].price: given more than once ("3/1"))"},
    {"bet_of_another_count",
     {"--bet", "Yankee", "Won", "Won"},
     R"(bet: "Yankee" is not a bet for 2 selections)"},
    {"tax_rate_21",
     {"--tax-rate", "21", "Won"},
     "preferences.taxRate: Invalid tax value (21 is not 0..20)"},
    {"bonus_not_a_number",
     {"--lucky63-bonus", "ten", "Won"},
     R"(preferences.lucky63Bonus: "ten" is not an integer)"},
    {"stake_longer_than_the_box",
     {"--stake", "12345678", "Won"},
     R"(stake: "12345678" is longer than the stake box's 7 characters)"},
    {"each_way_misspelt",
     {"--each-way", "ED", "Won"},
     R"(eachWay: "ED" is not one of "Win", "E/D", "W/W P/P")"},
};

INSTANTIATE_TEST_SUITE_P(cli, wrong_flags, ::testing::ValuesIn(kWrongFlags),
                         quorvel::testing::rowName<wrong_flags::ParamType>);

TEST(flags_form, prints_the_slip_as_understood_then_the_amounts) {
    const auto run = runSettle({"--bet", "Double", "--each-way", "E/D", "--no-tax-paid",
                                "Won 6/4 odds-on rule4=25 1/4", "Place 3/1"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(reportedValue(run.out, "Bet"), "Double");
    EXPECT_EQ(reportedValue(run.out, "Leg 1"),
              "Won at 6/4 odds-on, Rule 4 25p per £, place terms 1/4");
    EXPECT_EQ(reportedValue(run.out, "Leg 2"), "Place at 3/1, place terms 1/5");
    EXPECT_EQ(reportedValue(run.out, "Tax Paid"), "no (tax rate 9%)");
}

TEST(flags_form, explain_prints_a_table_of_lines) {
    const auto run = runSettle({"--explain", "--bet", "Doubles + Singles", "Won 2/1", "Won"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("     1  single        1            £0.3000\n"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("     3  double        1-2          £0.6000\n"), std::string::npos)
        << run.out;
}

TEST(flags_form, without_legs_shows_the_help_and_fails) {
    const auto run = runSettle({});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("--each-way"), std::string::npos);
}

TEST(flags_form, help_shows_both_forms_and_succeeds) {
    const auto run = runSettle({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("quorvel-settle --bet \"Lucky 15\""), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("--json"), std::string::npos);
}

}  // namespace
