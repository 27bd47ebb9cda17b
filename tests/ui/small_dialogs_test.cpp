// The Place Odds Calculator and the About box.

#include "tests/ui/main_window.h"
#include "ui/about_dialog.h"
#include "ui/place_odds_dialog.h"

namespace quorvel::testing {
namespace {

using PlaceOdds = MainWindow;
using About = MainWindow;

TEST_F(PlaceOdds, tells_the_terms_of_the_chosen_field_size_when_asked) {
    const DialogDriver dialog = openModeless(IDD_PLACE_ODDS, placeOddsDialogProc);
    EXPECT_EQ(dialog.currentItem(IDC_PLACE_ODDS_RUNNERS), "2-4");
    EXPECT_EQ(dialog.text(IDC_PLACE_ODDS_TERMS), "");
    dialog.click(IDC_PLACE_ODDS_TELL_ME);
    EXPECT_EQ(dialog.text(IDC_PLACE_ODDS_TERMS), "Win Only");
    dialog.choose(IDC_PLACE_ODDS_RUNNERS, "16+ (H)");
    EXPECT_EQ(dialog.text(IDC_PLACE_ODDS_TERMS), "Win Only");  // until asked again
    dialog.click(IDC_PLACE_ODDS_TELL_ME);
    EXPECT_EQ(dialog.text(IDC_PLACE_ODDS_TERMS), "1st, 2nd, 3rd & 4th, 1/4 odds");
    dialog.click(IDC_PLACE_ODDS_CLOSE);
    EXPECT_TRUE(dialog.ended());
}

TEST_F(About, shows_the_addresses_and_closes_on_ok_and_escape) {
    const DialogDriver first = openModeless(IDD_ABOUT, aboutDialogProc);
    EXPECT_EQ(first.text(IDC_ABOUT_WEB_PAGE), "https://quorvel.example.org");
    EXPECT_EQ(first.text(IDC_ABOUT_EMAIL), std::string(13, ' ') + "quorvel@example.org");
    first.click(IDOK);
    EXPECT_TRUE(first.ended());
    const DialogDriver second = openModeless(IDD_ABOUT, aboutDialogProc);
    pressKey(VK_ESCAPE);
    pumpMessages(second.window);
    EXPECT_TRUE(second.ended());
}

}  // namespace
}  // namespace quorvel::testing
