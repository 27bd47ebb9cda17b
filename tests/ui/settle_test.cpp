// Whole slips entered and settled through the main window. Stakes are pence
// per line; the tax rate is the start value, 9 %.

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
};

struct Slip {
    const char* name;
    const char* mode;
    const char* bet;
    bool taxPaid;
    std::vector<Selection> selections;
    const char* totalStake;
    const char* returns;
};

void PrintTo(const Slip& slip, std::ostream* out) {
    *out << slip.name;
}

const int kCountButtons[] = {IDC_SELECTIONS_1, IDC_SELECTIONS_2, IDC_SELECTIONS_3,
                             IDC_SELECTIONS_4, IDC_SELECTIONS_5, IDC_SELECTIONS_6};

class SettledSlip : public MainWindow, public ::testing::WithParamInterface<Slip> {};

TEST_P(SettledSlip, shows_the_total_stake_and_returns) {
    const Slip& slip = GetParam();
    click(kCountButtons[slip.selections.size() - 1]);
    choose(IDC_EACH_WAY, slip.mode);
    choose(IDC_BET, slip.bet);
    type(IDC_STAKE, "10");
    if (!slip.taxPaid) {
        click(IDC_TAX_PAID);
    }
    for (std::size_t i = 0; i < slip.selections.size(); ++i) {
        choose(kSelectionRows[i].result, slip.selections[i].result);
        choose(kSelectionRows[i].price, slip.selections[i].price);
        choose(kSelectionRows[i].placeTerms, slip.selections[i].terms);
        choose(kSelectionRows[i].rule4, slip.selections[i].rule4);
    }
    settle();
    EXPECT_TRUE(shows(pounds(slip.totalStake), pounds(slip.returns)));
}

const Selection kLost{"Lost"}, kWon{"Won"}, kNonRunner{"Non-Runner"};

// clang-format off
INSTANTIATE_TEST_SUITE_P(WorkedSlips, SettledSlip, ::testing::Values(
    Slip{"single_evens_winner_tax_paid", "Win", "Single", true, {kWon}, "0.11", "0.20"},
    Slip{"single_evens_winner_tax_deducted", "Win", "Single", false, {kWon}, "0.10", "0.18"},
    Slip{"single_non_runner_tax_deducted_gives_the_stake_back", "Win", "Single", false,
         {kNonRunner}, "0.10", "0.10"},
    Slip{"double_carries_5_1_winner_onto_11_8_winner", "Win", "Double", true,
         {{"Won", "5/1"}, {"Won", "11/8"}}, "0.11", "1.43"},
    Slip{"lucky15_lone_winner_in_row_3_with_rule4_on_double_odds", "Win", "Lucky 15", true,
         {kLost, kLost, {"Won", "5/1", "1/5", "10p"}, kLost}, "1.64", "1.00"},
    Slip{"equally_divided_double_winner_then_placed_at_quarter_odds", "E/D", "Double", true,
         {kWon, {"Place", "2/1", "1/4"}}, "0.22", "0.24"},
    Slip{"equally_divided_lucky15_four_evens_winners_earn_bonus", "E/D", "Lucky 15", true,
         {kWon, kWon, kWon, kWon}, "3.27", "9.83"},
    Slip{"equally_divided_lucky15_winner_and_placed_earn_consolation", "E/D", "Lucky 15", true,
         {{"Won", "2/1"}, {"Place", "3/1"}, kLost, kLost}, "3.27", "1.31"},
    Slip{"win_to_win_double_6_4_quarter_then_2_1_fifth", "W/W P/P", "Double", true,
         {{"Won", "6/4", "1/4"}, {"Won", "2/1"}}, "0.22", "0.94"},
    Slip{"win_to_win_lucky15_four_evens_winners_earn_bonus", "W/W P/P", "Lucky 15", true,
         {kWon, kWon, kWon, kWon}, "3.27", "11.27"},
    Slip{"win_to_win_round_robin_has_no_lines", "W/W P/P", "Round-Robin", true,
         {kWon, kWon, kWon}, "0.00", "0.00"}),
    [](const ::testing::TestParamInfo<Slip>& slip) { return std::string(slip.param.name); });
// clang-format on

using StakeBox = MainWindow;

TEST_F(StakeBox, settles_at_the_leading_number_of_its_first_seven_characters) {
    const struct {
        const char* typed;
        const char* totalStake;
        const char* returns;
    } cases[] = {
        {"12abc", "0.13", "0.24"},
        {"  7", "0.08", "0.14"},
        {"abc", "0.00", "0.00"},
        {"-50", "0.00", "0.00"},  // a negative stake is nothing
        {"123456789", "13456.78", "24691.34"},
    };
    choose(kSelectionRows[0].result, "Won");
    settle();
    EXPECT_EQ(text(IDC_STAKE), "10");  // an empty box is settled as 10
    EXPECT_TRUE(shows(pounds("0.11"), pounds("0.20")));
    for (const auto& c : cases) {
        type(IDC_STAKE, c.typed);
        settle();
        EXPECT_TRUE(shows(pounds(c.totalStake), pounds(c.returns))) << c.typed;
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
    EXPECT_EQ(text(IDC_TOTAL_STAKE), pounds("108999.99"));
    EXPECT_EQ(text(IDC_RETURNS), pounds("383304408937524847706112.00"));
}

}  // namespace
}  // namespace quorvel::testing
