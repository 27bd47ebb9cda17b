#include "engine/working_steps.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/line_record.h"
#include "engine/line_texts.h"
#include "engine/slip_texts.h"
#include "test_support.h"

namespace quorvel::testing {
namespace {

// An amount as written ("£0.1850", "+£0.000025", "-£1.2") in hundred-millionths
// of a pound, read digit by digit as a person reads it.
std::int64_t written(const std::string& text) {
    std::size_t i = 0;
    const bool negative = text[0] == '-';
    i += text[0] == '-' || text[0] == '+' ? 1 : 0;
    EXPECT_EQ(text[i], '\xA3') << text;
    std::int64_t value = 0;
    int decimals = -1;
    for (++i; i < text.size(); ++i) {
        if (text[i] == '.') {
            decimals = 0;
            continue;
        }
        EXPECT_TRUE(text[i] >= '0' && text[i] <= '9') << text;
        value = value * 10 + (text[i] - '0');
        decimals += decimals >= 0 ? 1 : 0;
    }
    EXPECT_TRUE(decimals >= 2 && decimals <= 8) << text;
    for (; decimals < 8; ++decimals) {
        value *= 10;
    }
    return negative ? -value : value;
}

struct Worked {
    LineRecord record;
    SettlementDisplay shown;
    WorkingSteps steps;
};

Worked work(const SettlementInput& input) {
    Worked w;
    const SettlementObserver observer = recordLines(w.record);
    w.shown = settleAmounts(input, &observer);
    w.steps = workingSteps(w.record.steps, w.shown);
    return w;
}

std::vector<std::string> keys(const std::vector<WorkingStep>& steps) {
    std::vector<std::string> out;
    for (const WorkingStep& step : steps) {
        out.emplace_back(step.key);
    }
    return out;
}

// Adds the chain up: its first figure, then each change, must give each
// amount written, and the last one the amount the window shows.
void addsUp(const std::vector<WorkingStep>& chain, std::int64_t first, const char* shown) {
    ASSERT_FALSE(chain.empty());
    std::int64_t total = first;
    EXPECT_EQ(written(chain[0].amount), total) << chain[0].text;
    for (std::size_t i = 1; i < chain.size(); ++i) {
        if (!chain[i].change.empty()) {
            total += written(chain[i].change);
        }
        EXPECT_EQ(written(chain[i].amount), total) << chain[i].text;
    }
    EXPECT_EQ(chain.back().amount, shown);
}

Leg won(double price, int rule4 = 0) {
    return leg(WonFifth, price, rule4);
}

TEST(working_steps, add_up_by_hand_from_the_lines_to_the_two_amounts) {
    Preferences lucky = startPreferences();
    lucky.lucky15Bonus = 25;
    const Leg L = leg(Lost);
    const struct {
        const char* name;
        SettlementInput input;
        std::vector<std::string> returnsSteps, stakeSteps;
        const char* note;
    } cases[] = {
        {"a half-penny line is a half penny, and goes up",
         {startPreferences(), true, {1, 0, EachWayMode::Win, 10, {won(1.0, 15)}}},
         {"linesTotal", "returns"},
         {"stake", "taxAdded", "totalStake"},
         ""},
        {"Yankee with tax off the returns, made whole twice",
         {startPreferences(),
          false,
          {4, 8, EachWayMode::Win, 10, {won(0.95), won(2.0 / 7.0), won(1.5, 5), L}}},
         {"linesTotal", "taxDeducted", "wholeHundredths", "returns"},
         {"stake", "totalStake"},
         ""},
        {"Lucky 15 lone winner: the consolation, then the tax",
         {startPreferences(), false, {4, 7, EachWayMode::Win, 10, {L, L, won(5.0), L}}},
         {"linesTotal", "taxDeducted", "returns"},
         {"stake", "totalStake"},
         "Consolation: the lone winner on row 3 paid at 10/1, its odds times 2"},
        {"Lucky 15 each way, every leg a winner: the bonus, then the tax",
         {lucky, false, {4, 7, EachWayMode::Ed, 13, {won(0.4), won(1.0), won(5.0), won(7.0)}}},
         {"linesTotal", "bonus", "taxDeducted", "wholeHundredths", "returns"},
         {"stake", "totalStake"},
         ""},
        {"each-way single at 5/1 with tax paid",
         {startPreferences(), true, {1, 0, EachWayMode::Ed, 10, {won(5.0)}}},
         {"linesTotal", "returns"},
         {"stake", "taxAdded", "totalStake"},
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Worked w = work(c.input);
        EXPECT_EQ(w.shown.returns, settleAmounts(c.input).returns) << "recording changes nothing";
        EXPECT_EQ(keys(w.steps.returns), c.returnsSteps);
        EXPECT_EQ(keys(w.steps.stake), c.stakeSteps);
        EXPECT_EQ(w.steps.note, c.note);
        std::int64_t lines = 0;
        for (const LineReport& report : w.record.lines) {
            lines += written(lineReturnText(report.roundedReturn));
        }
        addsUp(w.steps.returns, lines, w.shown.returns.data());
        const std::int64_t bets = w.shown.numberOfBets;
        addsUp(w.steps.stake, bets * c.input.slip.unitStake * 1'000'000, w.shown.totalStake.data());
    }
}

TEST(working_steps, a_line_on_a_half_penny_reads_as_one_and_returns_round_it_up) {
    const Worked w = work({startPreferences(), true, {1, 0, EachWayMode::Win, 10, {won(1.0, 15)}}});
    ASSERT_EQ(w.record.lines.size(), 1u);
    EXPECT_EQ(lineReturnText(w.record.lines[0].roundedReturn),
              "\xA3"
              "0.1850");
    EXPECT_STREQ(w.shown.returns.data(),
                 "\xA3"
                 "0.19");
}

TEST(slip_texts, the_slip_reads_as_it_was_settled) {
    BetSlip slip{4, 8, EachWayMode::Ed, -3, {}};
    EXPECT_EQ(slipSummary(slip, false, startPreferences()),
              "Yankee, 0p per bet, E/D, tax not paid (tax rate 9%)");
    slip.betIndex = 40;
    EXPECT_EQ(betText(slip), "No bet chosen");
    // A price, Rule 4 and place terms only where they count.
    const LegTexts placed = legTexts(leg(PlacedQuarter, 1.0 / 1.5, 25), EachWayMode::Ed);
    EXPECT_EQ(std::string(placed.result) + "|" + placed.price + "|" + placed.rule4 + "|" +
                  placed.placeTerms,
              "Place|6/4 odds-on|25p per \xA3|1/4");
    const LegTexts winOnly = legTexts(leg(WonWinOnly, 2.0), EachWayMode::Win);
    EXPECT_EQ(std::string(winOnly.price) + "|" + winOnly.rule4 + "|" + winOnly.placeTerms, "2/1||");
    const LegTexts lost = legTexts(leg(Lost, 2.0, 10), EachWayMode::Ed);
    EXPECT_EQ(
        std::string(lost.result) + "|" + lost.price + "|" + lost.rule4 + "|" + lost.placeTerms,
        "Lost|||");
}

}  // namespace
}  // namespace quorvel::testing
