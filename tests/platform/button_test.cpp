// Push buttons, auto check boxes and auto radio buttons.

#include "tests/platform/test_dialogs.h"

namespace quorvel::testing {
namespace {

using ButtonTest = DialogTest;

TEST_F(ButtonTest, a_check_set_by_the_program_leaves_the_group_alone_and_notifies_nothing) {
    CheckDlgButton(dialog, IDC_RED, BST_CHECKED);
    CheckDlgButton(dialog, IDC_GREEN, BST_CHECKED);
    EXPECT_EQ(checked(IDC_RED), BST_CHECKED);
    EXPECT_EQ(checked(IDC_GREEN), BST_CHECKED);
    EXPECT_TRUE(notifications().empty());
}

TEST_F(ButtonTest, clicking_a_radio_button_clears_the_rest_of_its_group_but_a_disabled_one) {
    // Green is disabled before the checks: the version 6 controls clear the
    // enabled rest of a group when the program checks a radio button.
    EnableWindow(item(IDC_GREEN), FALSE);
    CheckDlgButton(dialog, IDC_TICK, BST_CHECKED);
    CheckDlgButton(dialog, IDC_GREEN, BST_CHECKED);
    CheckDlgButton(dialog, IDC_RED, BST_CHECKED);
    ASSERT_EQ(checked(IDC_GREEN), BST_CHECKED);
    notifications().clear();
    ASSERT_TRUE(click(item(IDC_BLUE)));
    EXPECT_EQ(checked(IDC_RED), BST_UNCHECKED);
    EXPECT_EQ(checked(IDC_GREEN), BST_CHECKED);
    EXPECT_EQ(checked(IDC_BLUE), BST_CHECKED);
    EXPECT_EQ(checked(IDC_TICK), BST_CHECKED) << "the check box starts a group of its own";
    EXPECT_EQ(notifications(), sent(IDC_BLUE, {BN_CLICKED}));
}

TEST_F(ButtonTest, the_radio_button_is_checked_before_its_notification_arrives) {
    static UINT seen;
    seen = 99;
    const DLGPROC peek = [](HWND d, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        if (message == WM_COMMAND && LOWORD(wParam) == IDC_GREEN) {
            seen = IsDlgButtonChecked(d, IDC_GREEN);
        }
        return message == WM_INITDIALOG;
    };
    const HWND other =
        CreateDialogParamA(instance(), MAKEINTRESOURCEA(IDD_CONTROLS), nullptr, peek, 0);
    ShowWindow(other, SW_SHOW);
    click(GetDlgItem(other, IDC_GREEN));
    EXPECT_EQ(seen, BST_CHECKED);
    DestroyWindow(other);
}

TEST_F(ButtonTest, a_click_toggles_a_check_box_never_checks_a_push_button_and_misses_a_group_box) {
    click(item(IDC_TICK));
    EXPECT_EQ(checked(IDC_TICK), BST_CHECKED);
    SendMessageA(item(IDC_TICK), BM_CLICK, 0, 0);
    EXPECT_EQ(checked(IDC_TICK), BST_UNCHECKED);
    SendMessageA(item(IDC_APPLY), BM_SETCHECK, BST_CHECKED, 0);
    click(item(IDC_APPLY));
    EXPECT_EQ(checked(IDC_APPLY), BST_UNCHECKED);
    EXPECT_FALSE(click(item(IDC_CHOICE)));
    EXPECT_EQ(notifications().size(), 3u);
}

struct DisabledCase {
    const char* name;
    int id;
    bool dialogDisabled;
    friend void PrintTo(const DisabledCase& row, std::ostream* out) { *out << row.name; }
};

const DisabledCase kDisabled[] = {
    {"disabled_push_button", IDC_APPLY, false},
    {"disabled_radio_button", IDC_BLUE, false},
    {"button_in_a_disabled_dialog", IDC_TICK, true},
};

class DisabledButton : public DialogTest, public ::testing::WithParamInterface<DisabledCase> {};

TEST_P(DisabledButton, takes_no_click_from_the_user) {
    const DisabledCase& c = GetParam();
    EnableWindow(c.dialogDisabled ? dialog : item(c.id), FALSE);
    EXPECT_FALSE(click(item(c.id)));
    EXPECT_EQ(checked(c.id), BST_UNCHECKED);
    EXPECT_TRUE(notifications().empty());
}

TEST_P(DisabledButton, takes_no_bm_click) {
    const DisabledCase& c = GetParam();
    EnableWindow(c.dialogDisabled ? dialog : item(c.id), FALSE);
    SendMessageA(item(c.id), BM_CLICK, 0, 0);
    EXPECT_EQ(checked(c.id), BST_UNCHECKED);
    EXPECT_TRUE(notifications().empty());
}

INSTANTIATE_TEST_SUITE_P(buttons, DisabledButton, ::testing::ValuesIn(kDisabled), RowName());

}  // namespace
}  // namespace quorvel::testing
