// Whole slips entered and settled through the main window.

#include <array>
#include <regex>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/ui/main_window.h"
#include "ui/selection_rows.h"

namespace quorvel::testing {
namespace {

struct Selection {
    const char* result;
    const char* price = "Evens";
    const char* terms = "1/5";
    const char* rule4 = "None";
    bool oddsOn = false;
};

struct Slip {
    const char* name;
    const char* mode;
    const char* bet;
    const char* stake;
    bool taxPaid;
    std::vector<Selection> selections;
    const char* totalStake;
    const char* returns;
};

constexpr std::array<int, 6> kCountButtons{IDC_SELECTIONS_1, IDC_SELECTIONS_2, IDC_SELECTIONS_3,
                                           IDC_SELECTIONS_4, IDC_SELECTIONS_5, IDC_SELECTIONS_6};

class SettledSlip : public MainWindow, public ::testing::WithParamInterface<Slip> {
protected:
    void enter(const Slip& slip) {
        click(kCountButtons[slip.selections.size() - 1]);
        choose(IDC_EACH_WAY, slip.mode);
        choose(IDC_BET, slip.bet);
        type(IDC_STAKE, slip.stake);
        if (!slip.taxPaid) {
            click(IDC_TAX_PAID);
        }
        for (std::size_t i = 0; i < slip.selections.size(); ++i) {
            const Selection& selection = slip.selections[i];
            const SelectionRow& row = kSelectionRows[i];
            choose(row.result, selection.result);
            choose(row.price, selection.price);
            choose(row.placeTerms, selection.terms);
            choose(row.rule4, selection.rule4);
            if (selection.oddsOn) {
                click(row.oddsOn);
            }
        }
    }
};

TEST_P(SettledSlip, shows_the_total_stake_and_returns) {
    enter(GetParam());
    settle();
    EXPECT_TRUE(shows(GetParam().totalStake, GetParam().returns));
}

const Selection kLost{"Lost"};
const Selection kEvensWinner{"Won"};

// Stakes in pence per line; the tax rate is the start value, 9 %.
INSTANTIATE_TEST_SUITE_P(
    WorkedSlips, SettledSlip,
    ::testing::Values(
        Slip{"single_evens_winner_tax_paid", "Win", "Single", "10", true, {kEvensWinner},
             "\xA3" "0.11", "\xA3" "0.20"},
        Slip{"single_evens_winner_tax_deducted", "Win", "Single", "10", false, {kEvensWinner},
             "\xA3" "0.10", "\xA3" "0.18"},
        Slip{"single_non_runner_tax_deducted_gives_the_stake_back", "Win", "Single", "10", false,
             {{"Non-Runner"}}, "\xA3" "0.10", "\xA3" "0.10"},
        Slip{"single_non_runner_tax_paid_gives_stake_and_tax_back", "Win", "Single", "10", true,
             {{"Non-Runner"}}, "\xA3" "0.11", "\xA3" "0.11"},
        Slip{"single_at_100_30_odds_on", "Win", "Single", "10", true,
             {{"Won", "100/30", "1/5", "None", true}}, "\xA3" "0.11", "\xA3" "0.13"},
        Slip{"fifteen_losing_lines_with_tax_paid", "Win", "Lucky 15", "10", true,
             {kLost, kLost, kLost, kLost}, "\xA3" "1.64", "\xA3" "0.00"},
        Slip{"double_carries_5_1_winner_onto_11_8_winner", "Win", "Double", "10", true,
             {{"Won", "5/1"}, {"Won", "11/8"}}, "\xA3" "0.11", "\xA3" "1.43"},
        Slip{"lucky15_lone_winner_in_row_3_paid_at_double_odds", "Win", "Lucky 15", "10", true,
             {kLost, kLost, {"Won", "5/1"}, kLost}, "\xA3" "1.64", "\xA3" "1.10"},
        Slip{"lucky15_lone_winner_rule4_taken_from_raised_odds", "Win", "Lucky 15", "10", true,
             {kLost, kLost, {"Won", "5/1", "1/5", "10p per \xA3"}, kLost}, "\xA3" "1.64",
             "\xA3" "1.00"},
        Slip{"each_way_single_evens_winner", "E/D", "Single", "10", true, {kEvensWinner},
             "\xA3" "0.22", "\xA3" "0.32"},
        Slip{"each_way_single_non_runner_tax_deducted", "E/D", "Single", "10", false,
             {{"Non-Runner"}}, "\xA3" "0.20", "\xA3" "0.20"},
        Slip{"each_way_single_non_runner_tax_paid", "E/D", "Single", "10", true,
             {{"Non-Runner"}}, "\xA3" "0.22", "\xA3" "0.22"},
        Slip{"equally_divided_double_winner_then_placed_at_quarter_odds", "E/D", "Double", "10",
             true, {kEvensWinner, {"Place", "2/1", "1/4"}}, "\xA3" "0.22", "\xA3" "0.24"},
        Slip{"equally_divided_lucky15_four_evens_winners_earn_bonus", "E/D", "Lucky 15", "10",
             true, {kEvensWinner, kEvensWinner, kEvensWinner, kEvensWinner}, "\xA3" "3.27",
             "\xA3" "9.83"},
        Slip{"equally_divided_lucky15_winner_and_placed_earn_consolation", "E/D", "Lucky 15",
             "10", true, {{"Won", "2/1"}, {"Place", "3/1"}, kLost, kLost}, "\xA3" "3.27",
             "\xA3" "1.31"},
        Slip{"win_to_win_double_6_4_quarter_then_2_1_fifth", "W/W P/P", "Double", "10", true,
             {{"Won", "6/4", "1/4"}, {"Won", "2/1"}}, "\xA3" "0.22", "\xA3" "0.94"},
        Slip{"win_to_win_lucky15_four_evens_winners_earn_bonus", "W/W P/P", "Lucky 15", "10",
             true, {kEvensWinner, kEvensWinner, kEvensWinner, kEvensWinner}, "\xA3" "3.27",
             "\xA3" "11.27"},
        Slip{"win_to_win_lucky15_winner_and_placed_earn_consolation", "W/W P/P", "Lucky 15", "10",
             true, {{"Won", "2/1"}, {"Place", "3/1"}, kLost, kLost}, "\xA3" "3.27",
             "\xA3" "1.02"},
        Slip{"win_to_win_round_robin_has_no_lines", "W/W P/P", "Round-Robin", "10", true,
             {kEvensWinner, kEvensWinner, kEvensWinner}, "\xA3" "0.00", "\xA3" "0.00"}),
    [](const ::testing::TestParamInfo<Slip>& info) { return std::string(info.param.name); });

using StakeBox = MainWindow;

TEST_F(StakeBox, empty_box_is_filled_with_10_and_settled_at_10p) {
    choose(kSelectionRows[0].result, "Won");
    settle();
    EXPECT_EQ(text(IDC_STAKE), "10");
    EXPECT_TRUE(shows("\xA3" "0.11", "\xA3" "0.20"));
}

TEST_F(StakeBox, typed_text_settles_at_its_leading_number) {
    struct Case {
        const char* typed;
        const char* totalStake;
        const char* returns;
    };
    const Case cases[] = {
        {"12abc", "\xA3" "0.13", "\xA3" "0.24"},
        {"  7", "\xA3" "0.08", "\xA3" "0.14"},
        {"abc", "\xA3" "0.00", "\xA3" "0.00"},
        {"-50", "\xA3" "0.00", "\xA3" "0.00"},  // a negative stake settles as nothing
        {"123456789", "\xA3" "13456.78", "\xA3" "24691.34"},  // only 7 characters are read
    };
    choose(kSelectionRows[0].result, "Won");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        type(IDC_STAKE, c.typed);
        settle();
        EXPECT_TRUE(shows(c.totalStake, c.returns));
    }
}

TEST_F(StakeBox, the_largest_returns_are_shown_in_full) {
    click(IDC_SELECTIONS_6);
    choose(IDC_BET, "Accumulator");
    type(IDC_STAKE, "9999999");
    for (const SelectionRow& row : kSelectionRows) {
        choose(row.result, "Won");
        choose(row.price, "1250/1");
    }
    settle();
    EXPECT_TRUE(std::regex_match(text(IDC_RETURNS), std::regex("\xA3[0-9]{25,}\\.[0-9]{2}")))
        << text(IDC_RETURNS);
    EXPECT_EQ(text(IDC_TOTAL_STAKE), "\xA3" "108999.99");
}

}  // namespace
}  // namespace quorvel::testing
