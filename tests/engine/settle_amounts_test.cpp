#include "engine/settle_amounts.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>

#include "engine/round_pence.h"
#include "test_support.h"

namespace quorvel {
namespace {

TEST(round_pence, halves_go_up_large_amounts_pass_and_negatives_give_nothing) {
    const struct {
        const char* name;
        double amount, expected;
    } cases[] = {{"just under a half goes down", 0.49, 0.0},
                 {"two and a half goes up, not to even", 2.5, 3.0},
                 {"the last half below the bound", 4294967294.5, 4294967295.0},
                 {"just above the bound stays as it is", 4294967295.4, 4294967295.4},
                 {"a negative amount is nothing", -0.4, 0.0},
                 {"not a number is nothing", std::numeric_limits<double>::quiet_NaN(), 0.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(roundPence(c.amount), c.expected);
    }
}

BetSlip single(Leg only, int unitStake = 10) {
    return {1, 0, EachWayMode::Win, unitStake, {only}};
}

TEST(settle_amounts, tax_is_added_to_the_stake_or_taken_off_the_returns) {
    const struct {
        const char* name;
        int taxPaid;
        BetSlip slip;
        int bets;
        std::string totalStake, returns;
    } cases[] = {
        {"evens winner, tax off the returns", 0, single(test::leg(WonFifth)), 1, "0.10", "0.18"},
        {"tax off 244.5p leaves just under 222.5p", 0, single(test::leg(WonFifth, 18.0, 15), 15), 1,
         "0.15", "2.22"},
        {"Lucky 15 losers, 163.5p staked with tax", 1, BetSlip{4, 7, EachWayMode::Win, 10, {}}, 15,
         "1.64", "0.00"},
        {"a negative stake settles as nothing", 1, single(test::leg(WonFifth), -5), 1, "0.00",
         "0.00"},
        {"1250/1 winner, returns past the int range", 0,
         single(test::leg(WonFifth, 1250.0), 9999999), 1, "99999.99", "113840988.62"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AppState app{};
        setStartPreferences(app);
        app.taxPaid = c.taxPaid;
        const SettlementDisplay d = settleAmounts(app, c.slip);
        EXPECT_EQ(d.numberOfBets, c.bets);
        EXPECT_EQ(d.totalStake.data(), "\xA3" + c.totalStake);
        EXPECT_EQ(d.returns.data(), "\xA3" + c.returns);
    }
}

TEST(decimal_value, reads_like_a_c_conversion_and_saturates) {
    const struct {
        const char* text;
        int value;
    } cases[] = {{"12abc", 12},
                 {"  \t-7", -7},
                 {"- 5", 0},
                 {"+5", 5},
                 {"2147483647", INT_MAX},
                 {"2147483648", INT_MAX},
                 {"-99999999999", INT_MIN}};
    for (const auto& c : cases) {
        EXPECT_EQ(decimalValue(c.text), c.value) << '"' << c.text << '"';
    }
}

}  // namespace
}  // namespace quorvel
