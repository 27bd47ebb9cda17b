// The Preferences dialog, opened with the application object as the menu
// command opens it.

#include "ui/preferences_dialog.h"
#include "resources/resource.h"
#include "tests/ui/main_window.h"
#include "ui/app_shell.h"
#include "ui/selection_rows.h"

namespace quorvel::testing {
namespace {

using Values = std::vector<std::string>;
const int kBoxes[] = {IDC_TAX_RATE,  IDC_L15_CONSOLATION, IDC_L15_BONUS, IDC_L31_CONSOLATION,
                      IDC_L31_BONUS, IDC_L63_CONSOLATION, IDC_L63_BONUS};
const Values kStartValues{"9", "2", "10", "2", "10", "2", "10"};

class Preferences : public MainWindow {
  protected:
    DialogDriver open() const {
        return openModeless(IDD_PREFERENCES, preferencesDialogProc,
                            reinterpret_cast<LPARAM>(&appState));
    }
    static Values shown(const DialogDriver& dialog) {
        Values values;
        for (int box : kBoxes) {
            values.push_back(dialog.text(box));
        }
        return values;
    }
    // Types the seven values and presses "OK".
    static void submit(const DialogDriver& dialog, const Values& values) {
        for (std::size_t i = 0; i < values.size(); ++i) {
            dialog.type(kBoxes[i], values[i].c_str());
        }
        dialog.click(IDOK);
    }
};

TEST_F(Preferences, opens_with_the_values_in_four_character_boxes_with_ranged_spin_arrows) {
    const DialogDriver dialog = open();
    EXPECT_EQ(shown(dialog), kStartValues);
    const int ranges[][2] = {{0, 20}, {1, 3}, {0, 30}, {1, 3}, {0, 30}, {1, 3}, {0, 30}};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(dialog.textLimit(kBoxes[i]), 4);
        const LRESULT range =
            SendDlgItemMessageA(dialog.window, IDC_TAX_RATE_SPIN + i, UDM_GETRANGE, 0, 0);
        EXPECT_EQ(HIWORD(range), ranges[i][0]) << i;
        EXPECT_EQ(LOWORD(range), ranges[i][1]) << i;
    }
}

TEST_F(Preferences, ok_stores_every_value_and_the_next_settlement_uses_the_tax_rate) {
    const DialogDriver dialog = open();
    submit(dialog, {"17", "3", "30", "1", "0", "3", "25"});
    EXPECT_TRUE(dialog.ended());
    EXPECT_EQ(shown(open()), (Values{"17", "3", "30", "1", "0", "3", "25"}));
    choose(kSelectionRows[0].result, "Won");
    type(IDC_STAKE, "100");
    settle();
    EXPECT_TRUE(shows(pounds("1.17"), pounds("2.00")));
}

TEST_F(Preferences, a_typed_value_counts_as_the_leading_number_of_its_first_four_characters) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "0"}, {"00015", "1"}, {" 7", "7"}, {"-0", "0"}, {"3x", "3"}};
    for (const auto& [typed, stored] : cases) {
        submit(open(), {typed});
        EXPECT_EQ(open().text(IDC_TAX_RATE), stored) << typed;
    }
}

TEST_F(Preferences, a_value_out_of_range_is_warned_of_and_nothing_is_stored) {
    const struct {
        Values typed;
        const char* warning;
    } cases[] = {
        {{"21", "2", "10", "2", "10", "2", "10"}, "Invalid tax value"},
        {{"20", "", "10", "2", "10", "2", "10"}, "Invalid L15 Consolation odds"},
        {{"20", "2", "10", "4", "10", "2", "10"}, "Invalid L31 Consolation odds"},
        {{"20", "2", "10", "2", "99", "2", "10"}, "Invalid L31 Bonus odds"},
        {{"20", "3", "30", "3", "30", "3", "31"}, "Invalid L63 Bonus odds"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.warning);
        const DialogDriver dialog = open();
        expectMessageBox(c.warning);
        submit(dialog, c.typed);
        EXPECT_EQ(messageBoxesSeen().back().owner, dialog.window);
        EXPECT_EQ(messageBoxesSeen().back().type, UINT{MB_OK | MB_ICONWARNING});
        EXPECT_FALSE(dialog.ended());
        EXPECT_EQ(shown(dialog), c.typed);
        dialog.click(IDCANCEL);
        EXPECT_TRUE(dialog.ended());
        EXPECT_EQ(shown(open()), kStartValues);
    }
}

}  // namespace
}  // namespace quorvel::testing
