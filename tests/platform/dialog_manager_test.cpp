// The dialog manager: keyboard handling by IsDialogMessageA, focus, modal
// loops, the default dialog procedure and message boxes.

#include <string>

#include "tests/platform/test_dialogs.h"

namespace quorvel::testing {
namespace {

class KeyboardTest : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        // Only the checked radio button of a group is a tab stop.
        CheckRadioButton(dialog, IDC_RED, IDC_BLUE, IDC_GREEN);
    }

    int focusedId() { return GetDlgCtrlID(GetFocus()); }
};

TEST_F(KeyboardTest, tab_visits_the_tab_stops_in_template_order_both_ways_and_wraps) {
    for (int id : {IDCANCEL, IDC_APPLY, IDC_GREEN, IDC_TICK, IDC_NAME, IDC_SHOWN, IDC_LIST,
                   IDC_NUMBER, IDOK}) {
        press(VK_TAB);
        EXPECT_EQ(focusedId(), id);
    }
    for (int id : {IDC_NUMBER, IDC_LIST, IDC_SHOWN, IDC_NAME, IDC_TICK, IDC_GREEN}) {
        press(VK_TAB, true);
        EXPECT_EQ(focusedId(), id);
    }
    EnableWindow(item(IDCANCEL), FALSE);
    ShowWindow(item(IDC_APPLY), SW_HIDE);
    press(VK_TAB, true);
    EXPECT_EQ(focusedId(), IDOK) << "a disabled and a hidden control are skipped";
}

TEST_F(KeyboardTest, tab_into_an_edit_box_selects_its_text) {
    SetDlgItemTextA(dialog, IDC_NAME, "old");
    SetFocus(item(IDC_TICK));
    press(VK_TAB);
    ASSERT_EQ(focusedId(), IDC_NAME);
    press('N');
    EXPECT_EQ(text(IDC_NAME), "n");
}

struct KeyCase {
    const char* name;
    int focus;
    int tabs;
    int disabled;
    UINT key;
    int pressed;  // 0: nothing is pressed
    friend void PrintTo(const KeyCase& row, std::ostream* out) { *out << row.name; }
};

const KeyCase kKeys[] = {
    {"enter_presses_the_push_button_tabbed_to_instead", IDCANCEL, 1, 0, VK_RETURN, IDC_APPLY},
    {"focus_set_by_the_program_leaves_enter_on_the_default", IDC_APPLY, 0, 0, VK_RETURN, IDOK},
    {"tabbing_past_the_push_buttons_gives_enter_back_to_the_default", IDCANCEL, 2, 0, VK_RETURN,
     IDOK},
    {"enter_does_nothing_while_the_default_button_is_disabled", IDC_NAME, 0, IDOK, VK_RETURN, 0},
    {"escape_presses_the_cancel_button", IDC_NAME, 0, 0, VK_ESCAPE, IDCANCEL},
};

class DialogKeys : public KeyboardTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(DialogKeys, press_the_right_button) {
    const KeyCase& c = GetParam();
    SetFocus(item(c.focus));
    for (int i = 0; i < c.tabs; ++i) {
        press(VK_TAB);
    }
    if (c.disabled != 0) {
        EnableWindow(item(c.disabled), FALSE);
    }
    notifications().clear();
    press(c.key);
    // OK and Cancel end the dialog, which takes the focus from the box too.
    ASSERT_EQ(notifications().empty(), c.pressed == 0);
    if (c.pressed != 0) {
        EXPECT_EQ(notifications().front(), sent(c.pressed, {BN_CLICKED})[0]);
    }
}

INSTANTIATE_TEST_SUITE_P(keys, DialogKeys, ::testing::ValuesIn(kKeys), RowName());

struct ArrowCase {
    const char* name;
    int from;
    UINT key;
    int to;
    int disabled = 0;
    friend void PrintTo(const ArrowCase& row, std::ostream* out) { *out << row.name; }
};

const ArrowCase kArrows[] = {
    {"right_moves_like_down", IDC_GREEN, VK_RIGHT, IDC_BLUE},
    {"down_from_the_last_wraps_to_the_first_of_the_group", IDC_BLUE, VK_DOWN, IDC_RED},
    {"a_disabled_button_is_skipped", IDC_GREEN, VK_DOWN, IDC_RED, IDC_BLUE},
};

class RadioArrows : public KeyboardTest, public ::testing::WithParamInterface<ArrowCase> {};

TEST_P(RadioArrows, move_within_the_group_and_check_the_button) {
    const ArrowCase& c = GetParam();
    if (c.disabled != 0) {
        EnableWindow(item(c.disabled), FALSE);
    }
    SetFocus(item(c.from));
    notifications().clear();
    press(c.key);
    EXPECT_EQ(focusedId(), c.to);
    for (int id : {IDC_RED, IDC_GREEN, IDC_BLUE}) {
        EXPECT_EQ(checked(id), id == c.to ? BST_CHECKED : BST_UNCHECKED) << id;
    }
    EXPECT_EQ(notifications(), sent(c.to, {BN_CLICKED}));
}

INSTANTIATE_TEST_SUITE_P(keys, RadioArrows, ::testing::ValuesIn(kArrows), RowName());

TEST_F(KeyboardTest, keys_for_another_window_are_not_the_dialogs) {
    MSG message{nullptr, WM_KEYDOWN, VK_TAB, 1, 0, {0, 0}};
    EXPECT_FALSE(IsDialogMessageA(dialog, &message));
}

class PlainDialogTest : public DialogTest {
  protected:
    PlainDialogTest() : DialogTest(IDD_PLAIN) {}
};

TEST_F(PlainDialogTest, enter_without_a_default_button_sends_ok) {
    SetFocus(item(IDC_PLAIN_EDIT));
    notifications().clear();
    press(VK_RETURN);
    ASSERT_FALSE(notifications().empty());
    EXPECT_EQ(notifications().front(), (Notification{IDOK, BN_CLICKED, nullptr}));
}

TEST_F(PlainDialogTest, closing_does_nothing_while_cancel_is_disabled) {
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    pumpMessages(dialog);
    EXPECT_TRUE(notifications().empty());
    EXPECT_TRUE(IsWindow(dialog));
}

// Modal dialogs, owned by the modeless dialog of DialogTest ------------------

HWND modal;       // the latest modal dialog
LPARAM received;  // its initialisation parameter
constexpr LPARAM kEndAtOnce = 12345;

INT_PTR CALLBACK modalProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        modal = dialog;
        received = lParam;
        if (lParam == kEndAtOnce) {
            EndDialog(dialog, 77);
        }
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_APPLY) {
        return EndDialog(dialog, 42);
    }
    return recordingDialogProc(dialog, message, wParam, lParam);
}

class ModalTest : public DialogTest {
  protected:
    INT_PTR runModal(LPARAM parameter = 0) {
        return DialogBoxParamA(instance(), MAKEINTRESOURCEA(IDD_CONTROLS), dialog, modalProc,
                               parameter);
    }
};

TEST_F(ModalTest, the_owner_is_disabled_while_the_loop_runs_which_returns_the_end_value) {
    whenIdle([this] {
        EXPECT_FALSE(IsWindowEnabled(dialog));
        EXPECT_FALSE(click(item(IDC_APPLY))) << "the owner takes no input";
        click(GetDlgItem(modal, IDC_APPLY));
    });
    EXPECT_EQ(runModal(7), 42) << "EndDialog's value";
    EXPECT_EQ(received, 7);
    EXPECT_TRUE(notifications().empty());
    EXPECT_TRUE(IsWindowEnabled(dialog));
    EXPECT_FALSE(IsWindow(modal)) << "the dialog is destroyed";
}

TEST_F(ModalTest, ending_during_initialisation_returns_without_waiting) {
    EXPECT_EQ(runModal(kEndAtOnce), 77);
    EXPECT_TRUE(IsWindowEnabled(dialog));
}

TEST_F(ModalTest, a_quit_message_ends_the_dialog_and_enables_its_owner) {
    whenIdle([] { PostQuitMessage(3); });
    runModal();
    EXPECT_TRUE(IsWindowEnabled(dialog));
}

TEST_F(ModalTest, a_quit_message_ends_the_dialog_and_reaches_the_outer_loop) {
    whenIdle([] { PostQuitMessage(3); });
    runModal();
    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 3u);
}

TEST_F(ModalTest, an_unknown_template_fails_and_leaves_the_owner_enabled) {
    EXPECT_EQ(DialogBoxParamA(instance(), MAKEINTRESOURCEA(999), dialog, modalProc, 0), -1);
    EXPECT_TRUE(IsWindowEnabled(dialog));
    EXPECT_EQ(CreateDialogParamA(instance(), MAKEINTRESOURCEA(999), nullptr, modalProc, 0),
              nullptr);
}

}  // namespace
}  // namespace quorvel::testing
