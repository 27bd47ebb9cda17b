// Every way a slip can be wrong, answered on its own line with the field named.

#include <gtest/gtest.h>

#include <ostream>

#include "settle_process.h"

namespace {

using quorvel::testing::settleJsonLine;

struct WrongSlip {
    const char* name;
    const char* slip;
    const char* error;  // the message, as it appears inside the JSON answer
};

void PrintTo(const WrongSlip& row, std::ostream* out) {
    *out << row.name;
}

class wrong_slip : public ::testing::TestWithParam<WrongSlip> {};

TEST_P(wrong_slip, is_answered_with_an_error_naming_the_field) {
    EXPECT_EQ(settleJsonLine(GetParam().slip),
              std::string("{\"error\": \"") + GetParam().error + "\"}")
        << GetParam().slip;
}

const WrongSlip kWrongSlips[] = {
    // The slip and its legs.
    {"slip_without_legs", R"({"stake": 10})", "legs: missing: give 1 to 6 legs"},
    {"seven_legs", R"({"legs": [{}, {}, {}, {}, {}, {}, {}]})",
     "legs: must hold 1 to 6 legs, not more"},
    {"leg_as_a_text", R"({"legs": [{}, "Won"]})", "legs[2]: must be an object"},
    {"unknown_slip_field", R"({"legs": [{}], "stakes": 10})", R"(unknown field \"stakes\")"},
    {"slip_as_an_array", R"([{"legs": [{}]}])", "a slip must be a JSON object"},

    // A leg's fields.
    {"result_not_on_the_list", R"({"legs": [{"result": "Winner"}]})",
     R"(legs[1].result: \"Winner\" is not one of \"Lost\", \"Won\", \"Non-Runner\", \"Place\")"},
    {"price_in_lowest_terms_instead_of_the_traditional_form",
     R"({"legs": [{"result": "Won", "price": "10/3"}]})",
     R"(legs[1].price: \"10/3\" is not on the price list)"},
    {"odds_on_as_a_text", R"({"legs": [{"oddsOn": "yes"}]})",
     "legs[1].oddsOn: must be true or false"},
    {"rule4_text_not_on_the_list", R"({"legs": [{"rule4": "12p per £"}]})",
     R"(legs[1].rule4: \"12p per £\" is not on the Rule 4 list)"},
    {"rule4_pence_between_steps", R"({"legs": [{"rule4": 12}]})",
     "legs[1].rule4: 12 is not 0..75 in steps of 5"},
    {"rule4_as_a_fraction", R"({"legs": [{"rule4": 2.5}]})",
     "legs[1].rule4: must be a text of the Rule 4 list or pence 0..75"},
    {"terms_not_on_the_list", R"({"legs": [{"terms": "1/3"}]})",
     R"(legs[1].terms: \"1/3\" is not one of \"1/5\", \"1/4\", \"Win Only\")"},
    {"unknown_leg_field", R"({"legs": [{"odds": "2/1"}]})", R"(legs[1]: unknown field \"odds\")"},
    {"leg_field_given_twice", R"({"legs": [{"price": "2/1", "price": "3/1"}]})",
     "legs[1].price: given more than once"},

    // Bet, stake, mode and tax.
    {"bet_of_another_count", R"({"bet": "Lucky 15", "legs": [{}, {}, {}]})",
     R"(bet: \"Lucky 15\" is not a bet for 3 selections)"},
    {"bet_as_a_fraction", R"({"bet": 1.5, "legs": [{}]})",
     R"(bet: must be a text of the \"Bet\" list or a position in it)"},
    {"stake_text_longer_than_the_box", R"({"stake": "123456789", "legs": [{}]})",
     R"(stake: \"123456789\" is longer than the stake box's 7 characters)"},
    {"stake_pence_above_seven_digits", R"({"stake": 10000000, "legs": [{}]})",
     "stake: 10000000 is not 0..9999999 pence"},
    {"stake_as_true", R"({"stake": true, "legs": [{}]})",
     "stake: must be the stake box's text or whole pence"},
    {"each_way_not_on_the_list", R"({"eachWay": "EW", "legs": [{}]})",
     R"(eachWay: \"EW\" is not one of \"Win\", \"E/D\", \"W/W P/P\")"},

    // Preferences, with the Preferences dialog's warnings.
    {"unknown_preference", R"({"preferences": {"taxrate": 9}, "legs": [{}]})",
     R"(preferences: unknown field \"taxrate\")"},
    {"preference_as_a_text", R"({"preferences": {"taxRate": "9"}, "legs": [{}]})",
     "preferences.taxRate: must be an integer"},
    {"tax_rate_21", R"({"preferences": {"taxRate": 21}, "legs": [{}]})",
     "preferences.taxRate: Invalid tax value (21 is not 0..20)"},
    {"lucky15_consolation_0", R"({"preferences": {"lucky15Consolation": 0}, "legs": [{}]})",
     "preferences.lucky15Consolation: Invalid L15 Consolation odds (0 is not 1..3)"},
    {"lucky63_bonus_31", R"({"preferences": {"lucky63Bonus": 31}, "legs": [{}]})",
     "preferences.lucky63Bonus: Invalid L63 Bonus odds (31 is not 0..30)"},
};

INSTANTIATE_TEST_SUITE_P(cli, wrong_slip, ::testing::ValuesIn(kWrongSlips),
                         quorvel::testing::rowName<wrong_slip::ParamType>);

struct BrokenLine {
    const char* name;
    const char* line;
    int byte;  // where the parser gave up
};

void PrintTo(const BrokenLine& row, std::ostream* out) {
    *out << row.name;
}

class broken_json_line : public ::testing::TestWithParam<BrokenLine> {};

// The answer tells where the line broke, and stays valid UTF-8 whatever bytes it quotes.
TEST_P(broken_json_line, is_answered_as_invalid_json_with_the_place) {
    const std::string answer = settleJsonLine(GetParam().line);
    EXPECT_TRUE(answer.starts_with(R"({"error": "not valid JSON at byte )" +
                                   std::to_string(GetParam().byte) + ": "))
        << answer;
    EXPECT_EQ(answer.find('\xFF'), std::string::npos) << answer;
}

const BrokenLine kBrokenLines[] = {
    {"unclosed_array", R"({"legs": [{})", 13},
    {"text_after_the_slip", R"({"legs": [{}]} {"legs": [{}]})", 16},
    {"misspelt_true", R"({"taxPaid": tru, "legs": [{}]})", 16},
    {"bare_word", "settle", 1},
    {"text_not_utf8", "{\"legs\": [{\"result\": \"Won\xFF\"}]}", 26},
};

INSTANTIATE_TEST_SUITE_P(cli, broken_json_line, ::testing::ValuesIn(kBrokenLines),
                         quorvel::testing::rowName<broken_json_line::ParamType>);

}  // namespace
