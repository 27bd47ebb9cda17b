#include "engine/settle_amounts.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "test_legs.h"

namespace quorvel {
namespace {

using test::leg;

struct Shown {
    int bets;
    std::string totalStake;
    std::string returns;
};

Shown show(int taxPaid, BetSlip slip) {
    AppState app{};
    setStartPreferences(app);
    app.taxPaid = taxPaid;
    const SettlementDisplay display = settleAmounts(app, slip);
    return {display.numberOfBets, display.totalStake.data(), display.returns.data()};
}

BetSlip single(Leg only, int unitStake = 10, EachWayMode mode = EachWayMode::Win) {
    return BetSlip{1, 0, mode, unitStake, {only}};
}

TEST(settle_amounts, tax_is_added_to_the_stake_or_taken_from_the_returns) {
    struct Case {
        const char* name;
        int taxPaid;
        Leg only;
        const char* totalStake;
        const char* returns;
    };
    const Case cases[] = {
        {"evens winner, tax paid", 1, leg(WonFifth, 1.0),
         "\xA3"
         "0.11",
         "\xA3"
         "0.20"},
        {"evens winner, tax deducted", 0, leg(WonFifth, 1.0),
         "\xA3"
         "0.10",
         "\xA3"
         "0.18"},
        {"non-runner, tax deducted, stake back", 0, test::nonRunner(),
         "\xA3"
         "0.10",
         "\xA3"
         "0.10"},
        {"non-runner, tax paid, stake and tax back", 1, test::nonRunner(),
         "\xA3"
         "0.11",
         "\xA3"
         "0.11"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Shown shown = show(c.taxPaid, single(c.only));
        EXPECT_EQ(shown.bets, 1);
        EXPECT_EQ(shown.totalStake, c.totalStake);
        EXPECT_EQ(shown.returns, c.returns);
    }
}

TEST(settle_amounts, stake_with_tax_is_rounded_half_up_to_the_penny) {
    BetSlip lucky15{4, 7, EachWayMode::Win, 10, {}};
    EXPECT_EQ(show(1, lucky15).totalStake,
              "\xA3"
              "1.64");  // 150p × 1.09 = 163.5p
    const Shown nonRunners = show(0, BetSlip{1, 0, EachWayMode::Ed, 10, {test::nonRunner()}});
    EXPECT_EQ(nonRunners.totalStake,
              "\xA3"
              "0.20");
    EXPECT_EQ(nonRunners.returns,
              "\xA3"
              "0.20");
}

TEST(settle_amounts, deducted_returns_above_the_integer_range_stay_exact) {
    // 12509998749.00p gross; 91 % of it, to the penny, without passing through an int.
    EXPECT_EQ(show(0, single(leg(WonFifth, 1250.0), 9999999)).returns,
              "\xA3"
              "113840988.62");
}

TEST(settle_amounts, negative_stake_settles_as_nothing_staked) {
    const Shown shown = show(1, BetSlip{4, 7, EachWayMode::Ed, -50, {}});
    EXPECT_EQ(shown.bets, 30);
    EXPECT_EQ(shown.totalStake,
              "\xA3"
              "0.00");
    EXPECT_EQ(shown.returns,
              "\xA3"
              "0.00");
}

TEST(settle_amounts, unknown_each_way_mode_settles_no_bets) {
    BetSlip slip = single(leg(WonFifth, 1.0));
    slip.eachWayMode = static_cast<EachWayMode>(3);
    const Shown shown = show(0, slip);
    EXPECT_EQ(shown.bets, 0);
    EXPECT_EQ(shown.totalStake,
              "\xA3"
              "0.00");
    EXPECT_EQ(shown.returns,
              "\xA3"
              "0.00");
}

TEST(settle_amounts, longest_amount_fits_its_text) {
    BetSlip slip{6, 6, EachWayMode::Ed, 9999999, {}};
    slip.legs.fill(leg(WonWinOnly, 1250.0));
    AppState app{};
    setStartPreferences(app);
    app.lucky63Bonus = kBonusMax;
    const SettlementDisplay display = settleAmounts(app, slip);
    const std::size_t length = strnlen(display.returns.data(), kAmountTextSize);
    EXPECT_LT(length, kAmountTextSize);
    EXPECT_GE(length, 28u);  // "£" and 25 digits of pounds
    EXPECT_EQ(display.returns[0], '\xA3');
    EXPECT_STREQ(display.returns.data() + length - 3, ".00");
}

TEST(decimal_value, reads_like_a_c_conversion_and_saturates) {
    struct Case {
        const char* text;
        int expected;
    };
    const Case cases[] = {
        {"10", 10},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"  \t-7", -7},
        {"+5", 5},
        {"- 5", 0},
        {"0012", 12},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-99999999999", INT_MIN},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(decimalValue(c.text), c.expected) << '"' << c.text << '"';
    }
}

}  // namespace
}  // namespace quorvel
