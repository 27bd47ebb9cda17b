#include "engine/settle_amounts.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "test_support.h"

namespace quorvel {
namespace {

using test::leg;

struct Shown {
    int bets;
    std::string totalStake, returns;
};

Shown show(int taxPaid, const BetSlip& slip) {
    AppState app{};
    setStartPreferences(app);
    app.taxPaid = taxPaid;
    const SettlementDisplay d = settleAmounts(app, slip);
    return {d.numberOfBets, d.totalStake.data(), d.returns.data()};
}

BetSlip single(Leg only, int unitStake = 10) {
    return {1, 0, EachWayMode::Win, unitStake, {only}};
}

#define POUNDS(amount) "\xA3" amount

TEST(settle_amounts, tax_is_added_to_the_stake_or_taken_off_the_returns) {
    const struct {
        const char* name;
        int taxPaid;
        BetSlip slip;
        const char *totalStake, *returns;
    } cases[] = {
        {"evens winner, tax paid", 1, single(leg(WonFifth, 1.0)), POUNDS("0.11"), POUNDS("0.20")},
        {"evens winner, tax off the returns", 0, single(leg(WonFifth, 1.0)), POUNDS("0.10"),
         POUNDS("0.18")},
        {"non-runner gives the stake back", 0, single(test::nonRunner()), POUNDS("0.10"),
         POUNDS("0.10")},
        {"non-runner gives stake and tax back", 1, single(test::nonRunner()), POUNDS("0.11"),
         POUNDS("0.11")},
        {"Lucky 15 losers, 163.5p staked with tax",
         1,
         {4, 7, EachWayMode::Win, 10, {}},
         POUNDS("1.64"),
         POUNDS("0.00")},
        {"1250/1 winner, returns past the int range", 0, single(leg(WonFifth, 1250.0), 9999999),
         POUNDS("99999.99"), POUNDS("113840988.62")},
        {"negative stake settles as nothing",
         1,
         {4, 7, EachWayMode::Ed, -50, {}},
         POUNDS("0.00"),
         POUNDS("0.00")},
        {"unknown each-way mode",
         0,
         {1, 0, static_cast<EachWayMode>(3), 10, {}},
         POUNDS("0.00"),
         POUNDS("0.00")}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Shown shown = show(c.taxPaid, c.slip);
        EXPECT_EQ(shown.totalStake, c.totalStake);
        EXPECT_EQ(shown.returns, c.returns);
    }
    EXPECT_EQ(show(1, cases[6].slip).bets, 30);  // a negative stake still counts the bets
    EXPECT_EQ(show(0, cases[7].slip).bets, 0);
}

TEST(decimal_value, reads_like_a_c_conversion_and_saturates) {
    const struct {
        const char* text;
        int value;
    } cases[] = {{"12abc", 12},
                 {"abc", 0},
                 {"", 0},
                 {"  \t-7", -7},
                 {"+5", 5},
                 {"- 5", 0},
                 {"0012", 12},
                 {"2147483647", INT_MAX},
                 {"2147483648", INT_MAX},
                 {"-2147483648", INT_MIN},
                 {"-99999999999", INT_MIN}};
    for (const auto& c : cases) {
        EXPECT_EQ(decimalValue(c.text), c.value) << '"' << c.text << '"';
    }
}

}  // namespace
}  // namespace quorvel
