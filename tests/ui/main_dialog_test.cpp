// The main dialog keeps its controls consistent as the user works them.

#include "resources/resource.h"
#include "tests/ui/main_window.h"
#include "ui/selection_rows.h"

namespace quorvel::testing {
namespace {

using MainDialog = MainWindow;
using Texts = std::vector<std::string>;
const Texts kResults{"Lost", "Won", "Non-Runner"};

const SelectionRow& row(int n) {
    return kSelectionRows[static_cast<std::size_t>(n - 1)];
}

// Which of row n's controls can be used: result, price, odds-on, Rule 4, place terms.
std::string usable(const MainWindow& window, int n) {
    std::string flags;
    for (int id : {row(n).result, row(n).price, row(n).oddsOn, row(n).rule4, row(n).placeTerms}) {
        flags += window.enabled(id) ? '1' : '0';
    }
    return flags;
}

TEST_F(MainDialog, starts_as_a_one_selection_win_slip_with_tax_paid) {
    EXPECT_TRUE(checked(IDC_SELECTIONS_1) && checked(IDC_TAX_PAID));
    EXPECT_EQ(items(IDC_EACH_WAY), (Texts{"Win", "E/D", "W/W P/P"}));
    EXPECT_EQ(currentItem(IDC_EACH_WAY), "Win");
    EXPECT_EQ(currentItem(IDC_BET), "Single");
    EXPECT_EQ(textLimit(IDC_STAKE), 7);  // as many characters as the stake is read from
    EXPECT_EQ(usable(*this, 1), "10000");
    EXPECT_EQ(usable(*this, 6), "00000");
    EXPECT_EQ(items(row(6).result), kResults);
    EXPECT_EQ(items(row(6).placeTerms), (Texts{"1/5", "1/4", "Win Only"}));
    EXPECT_EQ(items(row(6).rule4).back(), "75p per \xA3");
}

TEST_F(MainDialog, a_winner_opens_its_price_and_rule4_and_its_place_terms_only_each_way) {
    choose(row(1).result, "Won");
    EXPECT_EQ(usable(*this, 1), "11110");
    choose(IDC_EACH_WAY, "E/D");
    EXPECT_EQ(usable(*this, 1), "11111");
    choose(row(1).result, "Non-Runner");
    EXPECT_EQ(usable(*this, 1), "10000");
}

TEST_F(MainDialog, a_new_count_opens_its_rows_and_refills_the_bet_list_only_when_it_changes) {
    click(IDC_SELECTIONS_3);
    EXPECT_EQ(usable(*this, 3), "10000");
    EXPECT_EQ(usable(*this, 4), "00000");
    EXPECT_EQ(currentItem(IDC_BET), "Patent");
    choose(IDC_BET, "Treble");
    click(IDC_SELECTIONS_3);
    EXPECT_EQ(currentItem(IDC_BET), "Treble");
}

TEST_F(MainDialog, rows_out_of_use_keep_their_settings_for_when_the_count_rises) {
    click(IDC_SELECTIONS_3);
    choose(row(3).result, "Won");
    choose(row(3).price, "100/30");
    click(IDC_SELECTIONS_1);
    EXPECT_EQ(usable(*this, 3), "00000");
    click(IDC_SELECTIONS_3);
    EXPECT_EQ(currentItem(row(3).price), "100/30");
    EXPECT_EQ(usable(*this, 3), "11110");
}

TEST_F(MainDialog, back_to_win_turns_placed_rows_to_lost_and_takes_place_away) {
    click(IDC_SELECTIONS_2);
    choose(IDC_EACH_WAY, "W/W P/P");
    choose(row(1).result, "Place");
    choose(row(2).result, "Won");
    choose(IDC_EACH_WAY, "E/D");  // already each way: nothing changes
    EXPECT_EQ(items(row(6).result), (Texts{"Lost", "Won", "Non-Runner", "Place"}));
    choose(IDC_EACH_WAY, "Win");
    EXPECT_EQ(currentItem(row(1).result), "Lost");
    EXPECT_EQ(usable(*this, 1), "10000");
    EXPECT_EQ(currentItem(row(2).result), "Won");
    EXPECT_EQ(usable(*this, 2), "11110");
    EXPECT_EQ(items(row(6).result), kResults);
}

TEST_F(MainDialog, clear_empties_the_slip_and_resets_every_row) {
    click(IDC_SELECTIONS_2);
    click(IDC_TAX_PAID);
    choose(IDC_EACH_WAY, "E/D");
    choose(row(2).result, "Place");
    choose(row(2).price, "9/4");
    click(row(2).oddsOn);
    choose(row(2).rule4, "25p");
    choose(row(2).placeTerms, "1/4");
    type(IDC_STAKE, "250");
    settle();

    click(IDC_CLEAR);
    EXPECT_TRUE(checked(IDC_SELECTIONS_1) && !checked(IDC_SELECTIONS_2) && checked(IDC_TAX_PAID));
    EXPECT_EQ(currentItem(IDC_EACH_WAY), "Win");
    EXPECT_EQ(items(IDC_BET), Texts{"Single"});
    EXPECT_TRUE(text(IDC_STAKE).empty() && shows("", ""));
    EXPECT_EQ(items(row(2).result), kResults);
    EXPECT_EQ(currentItem(row(2).price), "Evens");
    EXPECT_FALSE(checked(row(2).oddsOn));
    EXPECT_EQ(currentItem(row(2).rule4), "None");
    EXPECT_EQ(currentItem(row(2).placeTerms), "1/5");
    EXPECT_EQ(usable(*this, 2), "00000");
}

}  // namespace
}  // namespace quorvel::testing
