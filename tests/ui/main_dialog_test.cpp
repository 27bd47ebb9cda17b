// The main dialog keeps its controls consistent as the user works them.

#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/ui/main_window.h"
#include "ui/selection_rows.h"

namespace quorvel::testing {
namespace {

using MainDialog = MainWindow;
using Texts = std::vector<std::string>;

const SelectionRow& row(int n) { return kSelectionRows[static_cast<std::size_t>(n - 1)]; }

// Which of a row's controls the user can work, as "result price odds-on rule4 terms".
std::string usable(const MainWindow& window, int n) {
    std::string flags;
    for (int id : {row(n).result, row(n).price, row(n).oddsOn, row(n).rule4, row(n).placeTerms}) {
        flags += window.enabled(id) ? '1' : '0';
    }
    return flags;
}

TEST_F(MainDialog, starts_as_a_one_selection_win_slip_with_tax_paid) {
    EXPECT_TRUE(checked(IDC_SELECTIONS_1));
    for (int id : {IDC_SELECTIONS_2, IDC_SELECTIONS_3, IDC_SELECTIONS_4, IDC_SELECTIONS_5,
                   IDC_SELECTIONS_6}) {
        EXPECT_FALSE(checked(id)) << id;
    }
    EXPECT_TRUE(checked(IDC_TAX_PAID));
    EXPECT_EQ(items(IDC_EACH_WAY), (Texts{"Win", "E/D", "W/W P/P"}));
    EXPECT_EQ(currentItem(IDC_EACH_WAY), "Win");
    EXPECT_EQ(items(IDC_BET), Texts{"Single"});
    EXPECT_EQ(currentItem(IDC_BET), "Single");
    EXPECT_EQ(text(IDC_STAKE), "");
    EXPECT_EQ(usable(*this, 1), "10000");
    for (int n = 2; n <= 6; ++n) {
        EXPECT_EQ(usable(*this, n), "00000") << "row " << n;
    }
    for (int n = 1; n <= 6; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(items(row(n).result), (Texts{"Lost", "Won", "Non-Runner"}));
        EXPECT_EQ(currentItem(row(n).price), "Evens");
        EXPECT_EQ(items(row(n).price).size(), 59u);
        EXPECT_EQ(currentItem(row(n).rule4), "None");
        EXPECT_EQ(items(row(n).rule4).back(), "75p per \xA3");
        EXPECT_EQ(items(row(n).placeTerms), (Texts{"1/5", "1/4", "Win Only"}));
        EXPECT_FALSE(checked(row(n).oddsOn));
    }
}

TEST_F(MainDialog, stake_box_takes_no_more_characters_than_are_read) {
    EXPECT_EQ(textLimit(IDC_STAKE), 7);
}

TEST_F(MainDialog, a_winner_opens_its_price_and_rule4_and_place_terms_only_each_way) {
    choose(row(1).result, "Won");
    EXPECT_EQ(usable(*this, 1), "11110");
    choose(IDC_EACH_WAY, "E/D");
    EXPECT_EQ(usable(*this, 1), "11111");
    choose(row(1).result, "Place");
    EXPECT_EQ(usable(*this, 1), "11111");
    choose(row(1).result, "Non-Runner");
    EXPECT_EQ(usable(*this, 1), "10000");
}

TEST_F(MainDialog, a_new_count_opens_its_rows_and_refills_the_bet_list_once) {
    click(IDC_SELECTIONS_3);
    EXPECT_EQ(usable(*this, 2), "10000");
    EXPECT_EQ(usable(*this, 3), "10000");
    EXPECT_EQ(usable(*this, 4), "00000");
    EXPECT_EQ(items(IDC_BET).size(), 7u);
    EXPECT_EQ(currentItem(IDC_BET), "Patent");

    choose(IDC_BET, "Treble");
    click(IDC_SELECTIONS_3);
    EXPECT_EQ(currentItem(IDC_BET), "Treble");

    click(IDC_SELECTIONS_4);
    click(IDC_SELECTIONS_5);
    click(IDC_SELECTIONS_4);
    EXPECT_EQ(currentItem(IDC_BET), "Lucky 15");
}

TEST_F(MainDialog, rows_out_of_use_keep_their_settings_for_when_the_count_rises) {
    click(IDC_SELECTIONS_3);
    choose(row(3).result, "Won");
    choose(row(3).price, "100/30");
    click(row(3).oddsOn);
    click(IDC_SELECTIONS_1);
    EXPECT_EQ(usable(*this, 3), "00000");
    click(IDC_SELECTIONS_3);
    EXPECT_EQ(currentItem(row(3).result), "Won");
    EXPECT_EQ(currentItem(row(3).price), "100/30");
    EXPECT_TRUE(checked(row(3).oddsOn));
    EXPECT_EQ(usable(*this, 3), "11110");
}

TEST_F(MainDialog, back_to_win_turns_placed_rows_to_lost_and_takes_place_away) {
    click(IDC_SELECTIONS_3);
    choose(IDC_EACH_WAY, "W/W P/P");
    choose(row(1).result, "Place");
    choose(row(2).result, "Place");
    choose(row(3).result, "Won");
    choose(IDC_EACH_WAY, "Win");
    EXPECT_EQ(currentItem(row(1).result), "Lost");
    EXPECT_EQ(currentItem(row(2).result), "Lost");
    EXPECT_EQ(currentItem(row(3).result), "Won");
    EXPECT_EQ(usable(*this, 1), "10000");
    EXPECT_EQ(usable(*this, 3), "11110");
    for (int n = 1; n <= 6; ++n) {
        EXPECT_EQ(items(row(n).result), (Texts{"Lost", "Won", "Non-Runner"})) << "row " << n;
    }
}

TEST_F(MainDialog, moving_between_each_way_modes_lists_place_once) {
    choose(IDC_EACH_WAY, "E/D");
    choose(row(1).result, "Place");
    choose(IDC_EACH_WAY, "W/W P/P");
    choose(IDC_EACH_WAY, "E/D");
    EXPECT_EQ(items(row(6).result), (Texts{"Lost", "Won", "Non-Runner", "Place"}));
    EXPECT_EQ(currentItem(row(1).result), "Place");
}

TEST_F(MainDialog, clear_empties_the_slip_and_resets_every_row) {
    click(IDC_SELECTIONS_2);
    click(IDC_TAX_PAID);
    choose(IDC_EACH_WAY, "E/D");
    for (int n : {1, 2}) {
        choose(row(n).result, "Place");
        choose(row(n).price, "9/4");
        click(row(n).oddsOn);
        choose(row(n).rule4, "25p per \xA3");
        choose(row(n).placeTerms, "1/4");
    }
    type(IDC_STAKE, "250");
    settle();
    ASSERT_NE(text(IDC_RETURNS), "");

    click(IDC_CLEAR);
    EXPECT_TRUE(checked(IDC_SELECTIONS_1));
    EXPECT_FALSE(checked(IDC_SELECTIONS_2));
    EXPECT_TRUE(checked(IDC_TAX_PAID));
    EXPECT_EQ(currentItem(IDC_EACH_WAY), "Win");
    EXPECT_EQ(items(IDC_BET), Texts{"Single"});
    EXPECT_TRUE(shows("", ""));
    EXPECT_EQ(text(IDC_STAKE), "");
    EXPECT_EQ(textLimit(IDC_STAKE), 7);
    for (int n : {1, 2}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(items(row(n).result), (Texts{"Lost", "Won", "Non-Runner"}));
        EXPECT_EQ(currentItem(row(n).price), "Evens");
        EXPECT_FALSE(checked(row(n).oddsOn));
        EXPECT_EQ(currentItem(row(n).rule4), "None");
        EXPECT_EQ(currentItem(row(n).placeTerms), "1/5");
    }
    EXPECT_EQ(usable(*this, 1), "10000");
    EXPECT_EQ(usable(*this, 2), "00000");
}

}  // namespace
}  // namespace quorvel::testing
