#include "engine/settle_amounts.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "engine/round_pence.h"
#include "test_support.h"

namespace quorvel::testing {
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
        bool taxPaid;
        BetSlip slip;
        int bets;
        std::string totalStake, returns;
    } cases[] = {
        {"evens winner, tax off the returns", false, single(leg(WonFifth)), 1, "0.10", "0.18"},
        {"tax off 244.5p leaves just under 222.5p", false, single(leg(WonFifth, 18.0, 15), 15), 1,
         "0.15", "2.22"},
        {"Lucky 15 losers, 163.5p staked with tax", true, BetSlip{4, 7, EachWayMode::Win, 10, {}},
         15, "1.64", "0.00"},
        {"a negative stake settles as nothing", true, single(leg(WonFifth), -5), 1, "0.00", "0.00"},
        {"1250/1 winner, returns past the int range", false, single(leg(WonFifth, 1250.0), 9999999),
         1, "99999.99", "113840988.62"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SettlementDisplay d = settleAmounts({startPreferences(), c.taxPaid, c.slip});
        EXPECT_EQ(d.numberOfBets, c.bets);
        EXPECT_EQ(d.totalStake.data(), "\xA3" + c.totalStake);
        EXPECT_EQ(d.returns.data(), "\xA3" + c.returns);
    }
}

::testing::AssertionResult writtenAsSnprintfWould(double pounds) {
    std::array<char, kAmountTextSize> written{}, printed{};
    written.fill('#');
    formatPounds(written, pounds);
    std::snprintf(printed.data(), printed.size(), "\xA3%.2f", pounds);
    if (std::string(written.data()) == printed.data()) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << std::hexfloat << pounds << ": " << written.data() << " against " << printed.data();
}

TEST(format_pounds, writes_what_snprintf_writes_for_every_kind_of_amount) {
    const double edges[] = {0.0,
                            -0.0,
                            0.001,
                            std::nextafter(0.001, 0.0),
                            0.005,  // just below a half in binary
                            0.015,  // just above
                            0.125,  // exact halves, which libraries round differently
                            2.675,
                            1e13,
                            std::nextafter(1e13, 0.0),
                            99999999999999.99,
                            42949672.95,
                            4294967295.0 * 0.01,
                            1e28,
                            -1.5,
                            5e-324,
                            std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::quiet_NaN()};
    for (double edge : edges) {
        EXPECT_TRUE(writtenAsSnprintfWould(edge));
    }
    std::mt19937_64 random(20261207);
    for (int i = 0; i < 100000; ++i) {
        // Whole pence as the driver shows them, then any double from 1e-4 to 1e16.
        const double pence = static_cast<double>(random() % (i % 2 ? 1000000 : 100000000000000));
        const double any =
            std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 80) - 66);
        ASSERT_TRUE(writtenAsSnprintfWould(pence * 0.01));
        ASSERT_TRUE(writtenAsSnprintfWould(any));
        ASSERT_TRUE(writtenAsSnprintfWould(std::trunc(any * 8.0) / 8.0));  // eighths: halves
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
}  // namespace quorvel::testing
