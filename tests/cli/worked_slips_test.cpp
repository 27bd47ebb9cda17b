// Slips worked out by hand, settled as the tool reads them and compared as the window shows them.
// The engine's tests work the amounts through; these show each field reaches it.

#include <gtest/gtest.h>

#include "in_process.h"

namespace {

TEST(json_slip, worked_slips_settle_to_the_amounts_the_window_shows) {
    quorvel::testing::expectAnswers({
        // Tax, the stake box and the preferences.
        {"evens winner without tax paid has the tax off its returns",
         R"({"taxPaid": false, "legs": [{"result": "Won"}]})",
         R"({"bets": 1, "totalStake": "£0.10", "returns": "£0.18"})"},
        {"non-runner without tax paid gives back the stake",
         R"({"taxPaid": false, "legs": [{"result": "Non-Runner"}]})",
         R"({"bets": 1, "totalStake": "£0.10", "returns": "£0.10"})"},
        {"empty stake box settles at ten pence", R"({"stake": "", "legs": [{"result": "Won"}]})",
         R"({"bets": 1, "totalStake": "£0.11", "returns": "£0.20"})"},
        {"stake text 12abc settles at twelve pence",
         R"({"stake": "12abc", "taxPaid": false, "legs": [{"result": "Won"}]})",
         R"({"bets": 1, "totalStake": "£0.12", "returns": "£0.22"})"},
        {"stake in whole pence reads as the box would",
         R"({"stake": 12, "taxPaid": false, "legs": [{"result": "Won"}]})",
         R"({"bets": 1, "totalStake": "£0.12", "returns": "£0.22"})"},
        {"six winners at 1250/1 on a seven-digit stake show every digit",
         R"({"bet": "Accumulator", "stake": 9999999, "legs": [{"result": "Won", "price": "1250/1"},
            {"result": "Won", "price": "1250/1"}, {"result": "Won", "price": "1250/1"},
            {"result": "Won", "price": "1250/1"}, {"result": "Won", "price": "1250/1"},
            {"result": "Won", "price": "1250/1"}]})",
         R"({"bets": 1, "totalStake": "£108999.99", "returns": "£383304408937524847706112.00"})"},
        {"tax rate 20 takes a fifth off",
         R"({"taxPaid": false, "preferences": {"taxRate": 20}, "legs": [{"result": "Won"}]})",
         R"({"bets": 1, "totalStake": "£0.10", "returns": "£0.16"})"},
        {"Lucky 31 takes its own bonus, not the Lucky 15 or Lucky 63 one",
         R"({"bet": "Lucky 31", "preferences": {"lucky15Bonus": 30, "lucky31Bonus": 20,
            "lucky63Bonus": 0}, "legs": [{"result": "Won"}, {"result": "Won"}, {"result": "Won"},
            {"result": "Won"}, {"result": "Won"}]})",
         R"({"bets": 31, "totalStake": "£3.38", "returns": "£29.04"})"},

        // A leg's price, odds-on, Rule 4 and terms, and the bet.
        {"Rule 4 of 15p leaves 53p of a 5/1 winner",
         R"({"legs": [{"result": "Won", "price": "5/1", "rule4": "15p per £"}]})",
         R"({"bets": 1, "totalStake": "£0.11", "returns": "£0.53"})"},
        {"two singles at 7/2 odds-on",
         R"({"bet": "Singles", "legs": [{"result": "Won", "price": "7/2", "oddsOn": true},
            {"result": "Won", "price": "7/2", "oddsOn": true}]})",
         R"({"bets": 2, "totalStake": "£0.22", "returns": "£0.26"})"},
        {"a bet position past the list settles nothing",
         R"({"bet": 10, "legs": [{"result": "Won"}, {}, {}, {}]})",
         R"({"bets": 0, "totalStake": "£0.00", "returns": "£0.00"})"},
        {"E/D double onto a leg placed at 1/4 pays the place half",
         R"({"bet": "Double", "eachWay": "E/D", "legs": [{"result": "Won"},
            {"result": "Place", "price": "2/1", "terms": "1/4"}]})",
         R"({"bets": 2, "totalStake": "£0.22", "returns": "£0.24"})"},
        {"W/W P/P double carries win and place apart",
         R"({"bet": "Double", "eachWay": "W/W P/P", "legs": [
            {"result": "Won", "price": "6/4", "terms": "1/4"}, {"result": "Won", "price": "2/1"}]})",
         R"({"bets": 2, "totalStake": "£0.22", "returns": "£0.94"})"},
    });
}

}  // namespace
