// The Place Odds Calculator and the About box.

#include "resources/resource.h"
#include "tests/ui/main_window.h"
#include "ui/about_dialog.h"
#include "ui/place_odds_dialog.h"

namespace quorvel::testing {
namespace {

using PlaceOdds = MainWindow;
using About = MainWindow;

TEST_F(PlaceOdds, tells_the_terms_of_the_chosen_field_size_when_asked) {
    const DialogDriver dialog = openModeless(IDD_PLACE_ODDS, placeOddsDialogProc);
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
    dialog.choose(IDC_PLACE_ODDS_RUNNERS, "2-4");
    EXPECT_EQ(dialog.text(IDC_PLACE_ODDS_TERMS), "1st, 2nd, 3rd & 4th, 1/4 odds");
}

TEST_F(PlaceOdds, close_and_escape_end_it_and_each_opening_starts_afresh) {
    const DialogDriver first = openModeless(IDD_PLACE_ODDS, placeOddsDialogProc);
    first.choose(IDC_PLACE_ODDS_RUNNERS, "8+");
    first.click(IDC_PLACE_ODDS_CLOSE);
    const DialogDriver second = openModeless(IDD_PLACE_ODDS, placeOddsDialogProc);
    EXPECT_EQ(second.currentItem(IDC_PLACE_ODDS_RUNNERS), "2-4");
    SendMessageA(second.window, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    EXPECT_TRUE(first.ended() && second.ended());
}

TEST_F(About, shows_the_addresses_and_closes_on_ok_and_escape) {
    const DialogDriver first = openModeless(IDD_ABOUT, aboutDialogProc);
    EXPECT_EQ(first.text(IDC_ABOUT_WEB_PAGE), "https://quorvel.example.org");
    EXPECT_EQ(first.text(IDC_ABOUT_EMAIL), std::string(13, ' ') + "quorvel@example.org");
    first.click(IDOK);
    EXPECT_TRUE(first.ended());
    const DialogDriver second = openModeless(IDD_ABOUT, aboutDialogProc);
    SendMessageA(second.window, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    EXPECT_TRUE(second.ended());
}

}  // namespace
}  // namespace quorvel::testing
