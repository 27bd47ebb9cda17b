// The Place Odds Calculator and the About box.

#include "resources/resource.h"
#include "tests/ui/main_window.h"
#include "ui/about_dialog.h"
#include "ui/place_odds_dialog.h"

namespace quorvel::testing {
namespace {

class PlaceOdds : public MainWindow {
protected:
    DialogDriver open() const { return openModeless(IDD_PLACE_ODDS, placeOddsDialogProc, 0); }
};

TEST_F(PlaceOdds, tells_the_terms_of_the_chosen_field_size) {
    DialogDriver dialog = open();
    EXPECT_EQ(dialog.items(IDC_PLACE_ODDS_RUNNERS),
              (std::vector<std::string>{"2-4", "5-7", "8+", "12-15 (H)", "16+ (H)"}));
    EXPECT_EQ(dialog.text(IDC_PLACE_ODDS_TERMS), "");
    dialog.click(IDC_PLACE_ODDS_TELL_ME);
    EXPECT_EQ(dialog.text(IDC_PLACE_ODDS_TERMS), "Win Only");

    const std::pair<const char*, const char*> fields[] = {
        {"5-7", "1st & 2nd, 1/4 odds"},
        {"8+", "1st, 2nd & 3rd, 1/5 odds"},
        {"12-15 (H)", "1st, 2nd & 3rd, 1/4 odds"},
        {"16+ (H)", "1st, 2nd, 3rd & 4th, 1/4 odds"},
    };
    for (const auto& [runners, terms] : fields) {
        dialog.choose(IDC_PLACE_ODDS_RUNNERS, runners);
        dialog.click(IDC_PLACE_ODDS_TELL_ME);
        EXPECT_EQ(dialog.text(IDC_PLACE_ODDS_TERMS), terms) << runners;
    }
}

TEST_F(PlaceOdds, a_new_choice_shows_nothing_new_until_asked) {
    DialogDriver dialog = open();
    dialog.choose(IDC_PLACE_ODDS_RUNNERS, "8+");
    dialog.click(IDC_PLACE_ODDS_TELL_ME);
    dialog.choose(IDC_PLACE_ODDS_RUNNERS, "2-4");
    EXPECT_EQ(dialog.text(IDC_PLACE_ODDS_TERMS), "1st, 2nd & 3rd, 1/5 odds");
}

TEST_F(PlaceOdds, close_and_escape_end_it_and_each_opening_starts_afresh) {
    DialogDriver first = open();
    first.choose(IDC_PLACE_ODDS_RUNNERS, "8+");
    first.click(IDC_PLACE_ODDS_CLOSE);
    EXPECT_TRUE(ended(first));

    DialogDriver second = open();
    EXPECT_EQ(second.currentItem(IDC_PLACE_ODDS_RUNNERS), "2-4");
    SendMessageA(second.window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(ended(second));
}

class About : public MainWindow {
protected:
    DialogDriver open() const { return openModeless(IDD_ABOUT, aboutDialogProc, 0); }
};

TEST_F(About, shows_the_addresses_with_the_e_mail_indented) {
    DialogDriver dialog = open();
    EXPECT_EQ(dialog.text(IDC_ABOUT_WEB_PAGE), "https://quorvel.example.org");
    EXPECT_EQ(dialog.text(IDC_ABOUT_EMAIL), std::string(13, ' ') + "quorvel@example.org");
}

TEST_F(About, ok_and_escape_close_it) {
    DialogDriver first = open();
    first.click(IDOK);
    EXPECT_TRUE(ended(first));
    DialogDriver second = open();
    SendMessageA(second.window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(ended(second));
}

}  // namespace
}  // namespace quorvel::testing
