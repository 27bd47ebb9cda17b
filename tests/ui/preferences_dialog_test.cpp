// The Preferences dialog, worked as the menu command opens it.

#include <array>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/ui/main_window.h"
#include "ui/app_shell.h"
#include "ui/preferences_dialog.h"
#include "ui/selection_rows.h"

namespace quorvel::testing {
namespace {

constexpr std::array<int, 7> kBoxes{IDC_TAX_RATE,  IDC_L15_CONSOLATION, IDC_L15_BONUS,
                                    IDC_L31_CONSOLATION, IDC_L31_BONUS, IDC_L63_CONSOLATION,
                                    IDC_L63_BONUS};
using Values = std::vector<std::string>;

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
    // Types the values into the seven boxes and presses "OK".
    static void submit(const DialogDriver& dialog, const Values& values) {
        for (std::size_t i = 0; i < kBoxes.size(); ++i) {
            dialog.type(kBoxes[i], values[i].c_str());
        }
        dialog.click(IDOK);
    }
    const Values kStartValues{"9", "2", "10", "2", "10", "2", "10"};
};

TEST_F(Preferences, opens_with_the_start_values_and_boxes_of_four_characters) {
    DialogDriver dialog = open();
    EXPECT_EQ(shown(dialog), kStartValues);
    for (int box : kBoxes) {
        EXPECT_EQ(dialog.textLimit(box), 4) << box;
    }
}

TEST_F(Preferences, spin_arrows_keep_to_each_values_range) {
    DialogDriver dialog = open();
    const std::array<std::pair<int, int>, 7> ranges{
        {{0, 20}, {1, 3}, {0, 30}, {1, 3}, {0, 30}, {1, 3}, {0, 30}}};
    for (int i = 0; i < 7; ++i) {
        const LRESULT range =
            SendDlgItemMessageA(dialog.window, IDC_TAX_RATE_SPIN + i, UDM_GETRANGE, 0, 0);
        EXPECT_EQ(HIWORD(range), ranges[static_cast<std::size_t>(i)].first) << i;
        EXPECT_EQ(LOWORD(range), ranges[static_cast<std::size_t>(i)].second) << i;
    }
}

TEST_F(Preferences, ok_stores_all_values_and_the_next_settlement_uses_the_tax_rate) {
    DialogDriver dialog = open();
    submit(dialog, {"17", "3", "30", "1", "0", "3", "25"});
    EXPECT_TRUE(ended(dialog));
    EXPECT_TRUE(takeMessageBoxTexts().empty());
    EXPECT_EQ(shown(open()), (Values{"17", "3", "30", "1", "0", "3", "25"}));

    choose(kSelectionRows[0].result, "Won");
    type(IDC_STAKE, "100");
    settle();
    EXPECT_TRUE(shows("\xA3" "1.17", "\xA3" "2.00"));
}

TEST_F(Preferences, typed_text_counts_as_its_leading_number_of_four_characters) {
    struct Case {
        const char* typed;
        const char* stored;
    };
    const Case cases[] = {{"", "0"}, {"00015", "1"}, {" 7", "7"}, {"-0", "0"}, {"3x", "3"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        DialogDriver dialog = open();
        submit(dialog, {c.typed, "2", "10", "2", "10", "2", "10"});
        EXPECT_TRUE(ended(dialog));
        EXPECT_EQ(open().text(IDC_TAX_RATE), c.stored);
    }
}

TEST_F(Preferences, out_of_range_value_warns_keeps_dialog_open_and_stores_nothing) {
    struct Case {
        const char* name;
        Values typed;
        const char* warning;
    };
    const Case cases[] = {
        {"tax_21", {"21", "2", "10", "2", "10", "2", "10"}, "Invalid tax value"},
        {"tax_minus_1", {"-1", "2", "10", "2", "10", "2", "10"}, "Invalid tax value"},
        {"empty_consolation", {"20", "", "10", "2", "10", "2", "10"},
         "Invalid L15 Consolation odds"},
        {"l15_bonus_31", {"9", "2", "31", "2", "10", "2", "10"}, "Invalid L15 Bonus odds"},
        {"l31_consolation_4", {"9", "2", "10", "4", "10", "2", "10"},
         "Invalid L31 Consolation odds"},
        {"l31_bonus_99", {"9", "2", "10", "2", "99", "2", "10"}, "Invalid L31 Bonus odds"},
        {"l63_consolation_0", {"9", "2", "10", "2", "10", "0", "10"},
         "Invalid L63 Consolation odds"},
        {"l63_bonus_31", {"0", "1", "0", "1", "0", "3", "31"}, "Invalid L63 Bonus odds"},
        {"first_of_two_faults", {"30", "9", "10", "2", "10", "2", "10"}, "Invalid tax value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DialogDriver dialog = open();
        submit(dialog, c.typed);
        EXPECT_EQ(takeMessageBoxTexts(), Values{c.warning});
        EXPECT_FALSE(ended(dialog));
        EXPECT_EQ(shown(dialog), c.typed);
        dialog.click(IDCANCEL);
        EXPECT_TRUE(ended(dialog));
        EXPECT_EQ(shown(open()), kStartValues);
    }
}

TEST_F(Preferences, cancel_changes_nothing) {
    DialogDriver dialog = open();
    dialog.type(IDC_TAX_RATE, "20");
    dialog.click(IDCANCEL);
    EXPECT_TRUE(ended(dialog));
    EXPECT_EQ(shown(open()), kStartValues);
}

}  // namespace
}  // namespace quorvel::testing
