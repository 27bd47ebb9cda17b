// Whole slips entered and settled through the main window, a few in each
// mode; the engine's tests work the amounts through. Stakes are pence per
// line (10 unless typed); the tax rate is the start value, 9 %.

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
    bool taxPaid;
    const char* stake;  // empty: the program fills in 10
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
    type(IDC_STAKE, slip.stake);
    if (!slip.taxPaid) {
        click(IDC_TAX_PAID);
    }
    for (std::size_t i = 0; i < slip.selections.size(); ++i) {
        choose(kSelectionRows[i].result, slip.selections[i].result);
        choose(kSelectionRows[i].price, slip.selections[i].price);
        choose(kSelectionRows[i].placeTerms, slip.selections[i].terms);
        choose(kSelectionRows[i].rule4, slip.selections[i].rule4);
        if (slip.selections[i].oddsOn) {
            click(kSelectionRows[i].oddsOn);
        }
    }
    settle();
    EXPECT_EQ(text(IDC_STAKE), *slip.stake == '\0' ? "10" : slip.stake);
    EXPECT_TRUE(shows(slip.totalStake, slip.returns));
}

const Selection kLost{"Lost"}, kWon{"Won"};

// clang-format off
INSTANTIATE_TEST_SUITE_P(WorkedSlips, SettledSlip, ::testing::Values(
    Slip{"stake_is_read_from_its_first_seven_characters", "Win", "Single", true, "123456789",
         {kWon}, "13456.78", "24691.34"},
    Slip{"single_7_2_odds_on_winner_tax_deducted", "Win", "Single", false, "",
         {{"Won", "7/2", "1/5", "None", true}}, "0.10", "0.12"},
    Slip{"lucky15_lone_winner_in_row_3_with_rule4_on_double_odds", "Win", "Lucky 15", true, "",
         {kLost, kLost, {"Won", "5/1", "1/5", "10p"}, kLost}, "1.64", "1.00"},
    // The same treble in both each-way modes: the mode chosen is the one settled.
    Slip{"equally_divided_treble_with_a_placed_leg", "E/D", "Treble", true, "",
         {{"Won", "11/8", "1/4"}, {"Place", "3/1"}, kWon}, "0.22", "0.48"},
    Slip{"win_to_win_treble_with_a_placed_leg_pays_its_place_line", "W/W P/P", "Treble", true, "",
         {{"Won", "11/8", "1/4"}, {"Place", "3/1"}, kWon}, "0.22", "0.26"}),
    [](const ::testing::TestParamInfo<Slip>& slip) { return std::string(slip.param.name); });
// clang-format on

}  // namespace
}  // namespace quorvel::testing
