// The one-slip form: the flags make the slip JSON would, and errors read as in JSON.

#include <gtest/gtest.h>

#include "settle_process.h"

namespace {

using quorvel::testing::reportedValue;
using quorvel::testing::runSettle;

// Each flag reaches the slip: the amounts are those of the same slip in JSON.
TEST(flags_form, settles_the_slip_the_flags_describe) {
    const struct {
        const char* name;
        std::vector<std::string> flags;
        const char* shown;  // bets, total stake and returns
    } cases[] = {
        {"Lucky 15 each way without tax",
         {"--bet", "Lucky 15", "--stake", "10", "--each-way", "E/D", "--no-tax-paid", "Won 5/1",
          "Place 3/1 1/4", "Lost", "Non-Runner"},
         "30 £3.00 £3.25"},
        {"double with odds-on, Rule 4 and win-only terms",
         {"--bet", "1", "--each-way", "W/W P/P", "Won 6/4 odds-on rule4=25 Win Only",
          "Won rule4=10p per £ 100/30"},
         "2 £0.22 £0.84"},
        {"Lucky 63 with every preference changed",
         {"--bet=Lucky 63", "--stake= 7x", "--tax-rate=17", "--lucky15-consolation=1",
          "--lucky15-bonus=0", "--lucky31-consolation=3", "--lucky31-bonus=30",
          "--lucky63-consolation=3", "--lucky63-bonus=25", "Won 9/2", "Won 11/8", "Won 3/1",
          "Won Evens", "Won 85/40", "Won 7/4"},
         "63 £5.16 £445.30"},
        {"defaults everywhere", {"Lost", "Lost", "Won 2/1"}, "7 £0.76 £0.30"},
        {"empty stake box and a position before the list",
         {"--stake", "", "--bet=-1", "Won", "Won"},
         "0 £0.00 £0.00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto run = runSettle(c.flags);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(reportedValue(run.out, "Bets") + " " + reportedValue(run.out, "Total stake") +
                      " " + reportedValue(run.out, "Returns"),
                  c.shown)
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
        {"tax rate beyond 64 bits, quoted as written",
         {"--tax-rate", "99999999999999999999", "Won"},
         "preferences.taxRate: Invalid tax value (99999999999999999999 is not 0..20)"},
        {"rule4 beyond 64 bits, quoted as written",
         {"Won rule4=-99999999999999999999"},
         "legs[1].rule4: -99999999999999999999 is not 0..75 in steps of 5"},
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

// What every command-line program answers, and what it takes as a file.
TEST(command_line, version_names_the_program_and_its_version_as_gnu_tools_do) {
    for (const std::vector<std::string>& flags : {std::vector<std::string>{"--version"},
                                                  {"--version", "Won 2/1"},
                                                  {"--json", "--version"}}) {
        SCOPED_TRACE(flags.back());
        const auto run = runSettle(flags);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out.substr(0, run.out.find('\n') + 1), "quorvel-settle (Quorvel) 1.3\n");
        EXPECT_NE(run.out.find("Copyright"), std::string::npos);
        EXPECT_EQ(run.err, "");
    }
}

TEST(command_line, a_path_starting_with_a_slash_is_a_file_not_an_option) {
    const auto run = runSettle({"--json", "/no/such/folder/slips.jsonl"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err.rfind("quorvel-settle: cannot open /no/such/folder/slips.jsonl", 0), 0u)
        << run.err;
}

}  // namespace
