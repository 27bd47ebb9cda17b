// The one-slip form: the same slip as in JSON gives the same amounts, and the same errors.

#include <gtest/gtest.h>

#include "settle_process.h"

namespace {

using quorvel::testing::reportedValue;
using quorvel::testing::runSettle;
using quorvel::testing::settleJsonLine;

TEST(flags_form, shows_the_same_bets_and_amounts_as_the_same_slip_in_json) {
    const struct {
        const char* name;
        std::vector<std::string> flags;
        const char* json;
    } cases[] = {
        {"lucky15 each way without tax",
         {"--bet", "Lucky 15", "--stake", "10", "--each-way", "E/D", "--no-tax-paid", "Won 5/1",
          "Place 3/1 1/4", "Lost", "Non-Runner"},
         R"({"bet": "Lucky 15", "stake": "10", "eachWay": "E/D", "taxPaid": false, "legs": [
        {"result": "Won", "price": "5/1"}, {"result": "Place", "price": "3/1", "terms": "1/4"},
        {"result": "Lost"}, {"result": "Non-Runner"}]})"},
        {"double with odds on rule4 and win only terms",
         {"--bet", "1", "--each-way", "W/W P/P", "Won 6/4 odds-on rule4=25 Win Only",
          "Won rule4=10p per £ 100/30"},
         R"({"bet": 1, "eachWay": "W/W P/P", "legs": [{"result": "Won", "price": "6/4",
        "oddsOn": true, "rule4": 25, "terms": "Win Only"}, {"result": "Won", "price": "100/30",
        "rule4": "10p per £"}]})"},
        {"lucky63 with every preference changed",
         {"--bet=Lucky 63", "--stake= 7x", "--tax-rate=17", "--lucky15-consolation=1",
          "--lucky15-bonus=0", "--lucky31-consolation=3", "--lucky31-bonus=30",
          "--lucky63-consolation=3", "--lucky63-bonus=25", "Won 9/2", "Won 11/8", "Won 3/1",
          "Won Evens", "Won 85/40", "Won 7/4"},
         R"({"bet": "Lucky 63", "stake": " 7x", "preferences": {"taxRate": 17,
        "lucky15Consolation": 1, "lucky15Bonus": 0, "lucky31Consolation": 3, "lucky31Bonus": 30,
        "lucky63Consolation": 3, "lucky63Bonus": 25}, "legs": [{"result": "Won", "price": "9/2"},
        {"result": "Won", "price": "11/8"}, {"result": "Won", "price": "3/1"},
        {"result": "Won", "price": "Evens"}, {"result": "Won", "price": "85/40"},
        {"result": "Won", "price": "7/4"}]})"},
        {"defaults everywhere",
         {"Lost", "Lost", "Won 2/1"},
         R"({"legs": [{}, {}, {"result": "Won", "price": "2/1"}]})"},
        {"empty stake box and out of list position",
         {"--stake", "", "--bet=-1", "Won", "Won"},
         R"({"stake": "", "bet": -1, "legs": [
        {"result": "Won"}, {"result": "Won"}]})"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto run = runSettle(c.flags);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(R"({"bets": )" + reportedValue(run.out, "Bets") + R"(, "totalStake": ")" +
                      reportedValue(run.out, "Total stake") + R"(", "returns": ")" +
                      reportedValue(run.out, "Returns") + "\"}",
                  settleJsonLine(c.json))
            << run.out;
    }
}

TEST(flags_form, wrong_flags_are_reported_on_standard_error_as_in_json_with_status_2) {
    const struct {
        const char* name;
        std::vector<std::string> flags;
        const char* error;
    } cases[] = {
        {"price not on the list",
         {"Won 5/1", "Won 7/3"},
         R"(legs[2].price: "7/3" is not on the price list)"},
        {"place in win mode",
         {"Place 3/1"},
         R"(legs[1].result: "Place" is offered only with eachWay "E/D" or "W/W P/P")"},
        {"seven legs",
         {"Lost", "Lost", "Lost", "Lost", "Lost", "Lost", "Lost"},
         "legs: must hold 1 to 6 legs, not 7"},
        {"two prices", {"Won 2/1 3/1"}, R"(legs[1].price: given more than once ("3/1"))"},
        {"bonus not a number",
         {"--lucky63-bonus", "ten", "Won"},
         R"(preferences.lucky63Bonus: "ten" is not an integer)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto run = runSettle(c.flags);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, std::string("quorvel-settle: ") + c.error + "\n");
    }
}

TEST(flags_form, prints_the_slip_as_understood_and_with_explain_a_table_of_its_lines) {
    const auto run = runSettle({"--explain", "--bet", "Doubles + Singles", "--each-way", "E/D",
                                "--no-tax-paid", "Won 6/4 odds-on rule4=25 1/4", "Place 3/1"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(reportedValue(run.out, "Bet"), "Doubles + Singles");
    EXPECT_EQ(reportedValue(run.out, "Leg 1"),
              "Won at 6/4 odds-on, Rule 4 25p per £, place terms 1/4");
    EXPECT_EQ(reportedValue(run.out, "Leg 2"), "Place at 3/1, place terms 1/5");
    EXPECT_EQ(reportedValue(run.out, "Tax Paid"), "no (tax rate 9%)");
    EXPECT_NE(run.out.find("     1  single        1            £0.2625\n"
                           "     2  single        2            £0.1600\n"
                           "     3  double        1-2          £0.2100\n"),
              std::string::npos)
        << run.out;
}

TEST(flags_form, help_shows_both_forms_and_without_legs_fails) {
    const auto help = runSettle({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("quorvel-settle --bet \"Lucky 15\""), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("--json"), std::string::npos);
    const auto bare = runSettle({});
    EXPECT_EQ(bare.status, 2);
    EXPECT_NE(bare.err.find("--each-way"), std::string::npos);
}

}  // namespace
