// Every way a slip can be wrong, answered on its own line with the field named.

#include <gtest/gtest.h>

#include <string_view>

#include "in_process.h"

namespace {

using namespace std::string_view_literals;
using quorvel::testing::settleJsonLines;

std::string error(const char* message) {
    return std::string("{\"error\": \"") + message + "\"}";
}

TEST(json_slip, a_wrong_slip_is_answered_with_an_error_naming_the_field) {
    const std::string fourHundredDigits =
        R"({"stake": )" + std::string(400, '9') + R"(, "legs": [{}]})";
    quorvel::testing::expectAnswers({
        // The slip and its legs.
        {"slip without legs", R"({"stake": 10})", error("legs: missing: give 1 to 6 legs")},
        {"seven legs", R"({"legs": [{}, {}, {}, {}, {}, {}, {}]})",
         error("legs: must hold 1 to 6 legs, not more")},
        {"leg as a text", R"({"legs": [{}, "Won"]})", error("legs[2]: must be an object")},
        {"unknown slip field", R"({"legs": [{}], "stakes": 10})",
         error(R"(unknown field \"stakes\")")},
        {"slip as an array", R"([{"legs": [{}]}])", error("a slip must be a JSON object")},

        // A leg's fields.
        {"result not on the list", R"({"legs": [{"result": "Winner"}]})",
         error(R"(legs[1].result: \"Winner\" is not one of \"Lost\", \"Won\", )"
               R"(\"Non-Runner\", \"Place\")")},
        {"price in lowest terms instead of the traditional form",
         R"({"legs": [{"result": "Won", "price": "10/3"}]})",
         error(R"(legs[1].price: \"10/3\" is not on the price list)")},
        {"odds on as a text", R"({"legs": [{"oddsOn": "yes"}]})",
         error("legs[1].oddsOn: must be true or false")},
        {"rule4 text not on the list", R"({"legs": [{"rule4": "12p per £"}]})",
         error(R"(legs[1].rule4: \"12p per £\" is not on the Rule 4 list)")},
        {"rule4 pence between steps", R"({"legs": [{"rule4": 12}]})",
         error("legs[1].rule4: 12 is not 0..75 in steps of 5")},
        {"unknown leg field", R"({"legs": [{"odds": "2/1"}]})",
         error(R"(legs[1]: unknown field \"odds\")")},
        {"leg field given twice", R"({"legs": [{"price": "2/1", "price": "3/1"}]})",
         error("legs[1].price: given more than once")},

        // Bet, stake, mode and tax.
        {"bet of another count", R"({"bet": "Lucky 15", "legs": [{}, {}, {}]})",
         error(R"(bet: \"Lucky 15\" is not a bet for 3 selections; the bets for 3 are )"
               R"(\"Singles\", \"Doubles\", \"Doubles + Singles\", \"Doubles + Treble )"
               R"((Trixie)\", \"Treble\", \"Patent\", \"Round-Robin\")")},
        {"bet misspelt for one selection", R"({"bet": "Singel", "legs": [{}]})",
         error(R"(bet: \"Singel\" is not a bet for 1 selection; the bets for 1 are \"Single\")")},
        {"bet as a fraction", R"({"bet": 1.5, "legs": [{}]})",
         error(R"(bet: must be a text of the \"Bet\" list or a position in it)")},
        {"stake text longer than the box", R"({"stake": "123456789", "legs": [{}]})",
         error(R"(stake: \"123456789\" is too long: a stake is at most 7 characters)")},
        {"stake pence above seven digits", R"({"stake": 10000000, "legs": [{}]})",
         error("stake: 10000000 is not 0..9999999 pence")},
        {"stake as true", R"({"stake": true, "legs": [{}]})",
         error("stake: must be the stake box's text or whole pence")},
        // Numbers beyond a double are valid JSON, out of the field's range.
        {"stake beyond a double", R"({"legs": [{}], "stake": 1e400})",
         error("stake: 1e400 is not 0..9999999 pence")},
        {"stake of 400 digits", fourHundredDigits.c_str(),
         error("stake: 9999999999999999999999999999999999999999... is not 0..9999999 pence")},
        {"rule4 below a double", R"({"legs": [{"rule4": -1e999}]})",
         error("legs[1].rule4: -1e999 is not 0..75 in steps of 5")},
        {"bet position beyond a double", R"({"bet": 1e400, "legs": [{}]})",
         error("bet: 1e400 is out of range")},
        {"each way not on the list", R"({"eachWay": "EW", "legs": [{}]})",
         error(R"(eachWay: \"EW\" is not one of \"Win\", \"E/D\", \"W/W P/P\")")},

        // Preferences, with the Preferences dialog's warnings.
        {"unknown preference", R"({"preferences": {"taxrate": 9}, "legs": [{}]})",
         error(R"(preferences: unknown field \"taxrate\")")},
        {"preference as a text", R"({"preferences": {"taxRate": "9"}, "legs": [{}]})",
         error("preferences.taxRate: must be an integer")},
        {"tax rate 21", R"({"preferences": {"taxRate": 21}, "legs": [{}]})",
         error("preferences.taxRate: Invalid tax value (21 is not 0..20)")},
        {"tax rate beyond 64 bits",
         R"({"preferences": {"taxRate": -123456789012345678901}, "legs": [{}]})",
         error("preferences.taxRate: Invalid tax value (-123456789012345678901 is not 0..20)")},
    });
}

// The answer tells where the line broke, and stays valid UTF-8 whatever bytes it quotes.
// Every byte of the line is read: nothing after a NUL byte or a mark goes unseen.
TEST(json_slip, a_broken_line_is_answered_as_invalid_json_with_the_place) {
    const struct {
        const char* name;
        std::string_view line;
        int byte;            // where the parser gave up
        const char* saying;  // what it says there, when it is our own words
    } cases[] = {
        {"unclosed array", R"({"legs": [{})", 13, nullptr},
        {"text after the slip", R"({"legs": [{}]} {"legs": [{}]})", 16, nullptr},
        {"text not utf8", "{\"legs\": [{\"result\": \"Won\xFF\"}]}", 26, nullptr},
        {"second slip after a NUL byte", "{\"legs\": [{}]}\0{\"legs\": [{}]}"sv, 15,
         "a NUL byte outside a string"},
        {"NUL byte before a value", "{\"legs\":\0 [{}]}"sv, 9, "a NUL byte outside a string"},
        {"NUL byte in a text", "{\"legs\": [{\"result\": \"Won\0\"}]}"sv, 26, nullptr},
        {"byte-order mark on a later line", "\xEF\xBB\xBF{\"legs\": [{}]}", 1,
         "a byte-order mark may only start the input"},
        {"form feed alone", "\f", 1, nullptr},
    };
    std::vector<std::string> slips;
    for (const auto& c : cases) {
        slips.emplace_back(c.line);
    }
    ASSERT_EQ(slips[3].size(), 29u);  // the NUL byte is read
    const std::vector<std::string> answers = settleJsonLines(slips);
    for (std::size_t i = 0; i < slips.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        const std::string place =
            R"({"error": "not valid JSON at byte )" + std::to_string(cases[i].byte) + ": ";
        EXPECT_TRUE(answers[i].starts_with(place)) << answers[i];
        if (cases[i].saying != nullptr) {
            EXPECT_EQ(answers[i], place + cases[i].saying + "\"}");
        }
        EXPECT_EQ(answers[i].find("json.exception"), std::string::npos) << answers[i];
        EXPECT_EQ(answers[i].find('\xFF'), std::string::npos) << answers[i];
    }
}

}  // namespace
