// The Preferences dialog, opened with the application object as the menu
// command opens it.

#include "ui/preferences_dialog.h"
#include "tests/ui/preferences_test_support.h"
#include "ui/app_shell.h"

namespace quorvel::testing {
namespace {

class Preferences : public PreferencesWindow {
  protected:
    // Types the values into the first boxes and presses "OK".
    static void submit(const DialogDriver& dialog, const Values& values) {
        for (std::size_t i = 0; i < values.size(); ++i) {
            dialog.type(kBoxes[i], values[i].c_str());
        }
        dialog.click(IDOK);
    }
};

TEST_F(Preferences, ok_stores_all_seven_values_read_from_four_character_boxes) {
    const DialogDriver dialog = open();
    EXPECT_EQ(shown(dialog), kStartValues);
    for (int box : kBoxes) {
        EXPECT_EQ(dialog.textLimit(box), 4) << box;
    }
    submit(dialog, {"17", "3", "30", "1", "0", "3", "25"});
    EXPECT_TRUE(dialog.ended());
    EXPECT_EQ(shown(open()), (Values{"17", "3", "30", "1", "0", "3", "25"}));
    // Every value changes and the consolations all differ, so one stored in another's field shows.
    submit(open(), {"5", "1", "12", "2", "14", "3", "16"});
    EXPECT_EQ(shown(open()), (Values{"5", "1", "12", "2", "14", "3", "16"}));
    // A box is read as the leading number of its first four characters.
    submit(open(), {"00015x"});
    EXPECT_EQ(open().text(IDC_TAX_RATE), "1");
}

TEST_F(Preferences, a_value_out_of_range_is_warned_of_and_nothing_is_stored) {
    const struct {
        Values typed;
        const char* warning;
    } cases[] = {
        {{"21", "2", "10", "2", "10", "2", "10"}, "Invalid tax value"},
        {{"20", "", "10", "2", "10", "2", "10"}, "Invalid L15 Consolation odds"},
        {{"20", "2", "10", "2", "99", "2", "10"}, "Invalid L31 Bonus odds"},
        {{"20", "3", "30", "3", "30", "3", "31"}, "Invalid L63 Bonus odds"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.warning);
        const DialogDriver dialog = open();
        expectMessageBox(c.warning);
        submit(dialog, c.typed);
        EXPECT_EQ(messageBoxesSeen().back().owner, dialog.window);
        EXPECT_FALSE(messageBoxesSeen().back().ownerWasEnabled);
        EXPECT_FALSE(dialog.ended());
        EXPECT_EQ(shown(dialog), c.typed);
        dialog.click(IDCANCEL);
        EXPECT_TRUE(dialog.ended());
        EXPECT_EQ(shown(open()), kStartValues);
    }
}

}  // namespace
}  // namespace quorvel::testing
