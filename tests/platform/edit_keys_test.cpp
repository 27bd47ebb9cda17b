// Edit boxes from the keyboard: moving and selecting, deleting, the
// clipboard and Undo, each reached as the key messages a keyboard makes (or
// the control messages a menu sends), so that the same cases hold for the
// platform's own edit control.

#include <string>
#include <utility>
#include <vector>

#include "tests/platform/test_dialogs.h"

namespace quorvel::testing {
namespace {

class EditKeys : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        name = item(IDC_NAME);
        setClipboardText("clip");
    }

    // The box holds text with the focus, anchor and caret where given.
    void start(const char* text, int anchor, int caret) {
        SetDlgItemTextA(dialog, IDC_NAME, text);
        click(name);
        SendMessageA(name, EM_SETSEL, static_cast<WPARAM>(anchor), caret);
        notifications().clear();
    }
    // The selection as EM_GETSEL gives it: first and last position.
    std::pair<DWORD, DWORD> selection(HWND edit = nullptr) const {
        DWORD from = 0;
        DWORD to = 0;
        SendMessageA(edit != nullptr ? edit : name, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                     reinterpret_cast<LPARAM>(&to));
        return {from, to};
    }
    bool canUndo() const { return SendMessageA(name, EM_CANUNDO, 0, 0) != FALSE; }

    HWND name = nullptr;
};

struct KeyCase {
    const char* name;
    const char* text;
    int anchor;
    int caret;
    UINT key;
    bool shift;
    bool control;
    const char* after;
    DWORD from;  // the selection after the key
    DWORD to;
    friend void PrintTo(const KeyCase& row, std::ostream* out) { *out << row.name; }
};

constexpr bool kShift = true;
constexpr bool kControl = true;

const KeyCase kKeys[] = {
    {"shift_home_selects_back_to_the_start", "12345", 3, 3, VK_HOME, kShift, false, "12345", 0, 3},
    {"shift_end_keeps_the_anchor_of_a_selection", "12345", 1, 2, VK_END, kShift, false, "12345", 1,
     5},
    {"left_drops_a_selection_one_before_the_caret", "12345", 1, 4, VK_LEFT, false, false, "12345",
     3, 3},
    {"up_in_a_box_without_arrows_moves_left", "12345", 3, 3, VK_UP, false, false, "12345", 2, 2},
    {"ctrl_left_goes_to_the_start_of_the_word", "12 345", 6, 6, VK_LEFT, false, kControl, "12 345",
     3, 3},
    {"delete_takes_the_character_after_the_caret", "12345", 1, 1, VK_DELETE, false, false, "1345",
     1, 1},
    {"ctrl_delete_takes_the_rest_of_the_line", "12345", 2, 2, VK_DELETE, false, kControl, "12", 2,
     2},
    {"shift_delete_without_a_selection_takes_the_character_before", "12345", 2, 2, VK_DELETE,
     kShift, false, "1345", 1, 1},
    {"backspace_takes_the_selection", "12345", 0, 2, VK_BACK, false, false, "345", 0, 0},
    {"backspace_at_the_start_takes_nothing", "12345", 0, 0, VK_BACK, false, false, "12345", 0, 0},
    {"ctrl_a_selects_everything", "12345", 2, 2, 'A', false, kControl, "12345", 0, 5},
};

class EditKey : public EditKeys, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(EditKey, moves_selects_and_deletes_as_the_platform_does) {
    const KeyCase& c = GetParam();
    start(c.text, c.anchor, c.caret);
    press(c.key, c.shift, c.control);
    EXPECT_EQ(text(IDC_NAME), c.after);
    EXPECT_EQ(selection(), std::make_pair(c.from, c.to));
}

INSTANTIATE_TEST_SUITE_P(keys, EditKey, ::testing::ValuesIn(kKeys), RowName());

TEST_F(EditKeys, ctrl_c_copies_and_ctrl_x_cuts_the_selection_and_nothing_leaves_the_clipboard) {
    start("12345", 2, 2);
    press('C', false, kControl);
    press('X', false, kControl);
    EXPECT_EQ(clipboardText(), "clip");
    SendMessageA(name, EM_SETSEL, 3, 1);
    press('C', false, kControl);
    EXPECT_EQ(clipboardText(), "23");
    EXPECT_EQ(text(IDC_NAME), "12345");
    EXPECT_EQ(selection(), std::make_pair(DWORD{1}, DWORD{3}));
    EXPECT_TRUE(notifications().empty());
    setClipboardText("clip");
    press('X', false, kControl);
    EXPECT_EQ(clipboardText(), "23");
    EXPECT_EQ(text(IDC_NAME), "145");
    EXPECT_EQ(selection(), std::make_pair(DWORD{1}, DWORD{1}));
    EXPECT_EQ(notifications(), sent(IDC_NAME, {EN_UPDATE, EN_CHANGE}));
}

TEST_F(EditKeys, ctrl_v_replaces_the_selection_leaving_the_caret_after_it_and_undo_restores_it) {
    setClipboardText("90");
    start("12345", 1, 3);
    press('V', false, kControl);
    EXPECT_EQ(text(IDC_NAME), "19045");
    EXPECT_EQ(selection(), std::make_pair(DWORD{3}, DWORD{3}));
    EXPECT_EQ(notifications(), sent(IDC_NAME, {EN_UPDATE, EN_CHANGE}));
    EXPECT_EQ(SendMessageA(name, EM_UNDO, 0, 0), TRUE);
    EXPECT_EQ(text(IDC_NAME), "12345");
    EXPECT_EQ(selection(), std::make_pair(DWORD{1}, DWORD{3})) << "what Undo put back is selected";
}

TEST_F(EditKeys, a_paste_stops_at_the_first_line_break_and_is_cut_to_the_limit_saying_so) {
    SendMessageA(name, EM_LIMITTEXT, 7, 0);
    setClipboardText("6789\r\n0");
    start("12345", 5, 5);
    press('V', false, kControl);
    EXPECT_EQ(text(IDC_NAME), "1234567");
    EXPECT_EQ(notifications(), sent(IDC_NAME, {EN_MAXTEXT, EN_UPDATE, EN_CHANGE}));
}

TEST_F(EditKeys, the_older_keys_copy_cut_and_paste_too) {
    start("12345", 0, 2);
    press(VK_INSERT, false, kControl);
    EXPECT_EQ(clipboardText(), "12");
    press(VK_DELETE, kShift, false);
    EXPECT_EQ(text(IDC_NAME), "345");
    press(VK_END);
    press(VK_INSERT, kShift, false);
    EXPECT_EQ(text(IDC_NAME), "34512");
}

TEST_F(EditKeys, a_read_only_box_takes_the_focus_and_copies_but_takes_no_typing_or_change) {
    const HWND shown = item(IDC_SHOWN);
    SetDlgItemTextA(dialog, IDC_SHOWN, "fixed");
    notifications().clear();
    EXPECT_TRUE(typeText(shown, "xyz"));
    EXPECT_EQ(GetFocus(), shown);
    EXPECT_EQ(notifications(), sent(IDC_SHOWN, {EN_SETFOCUS}));
    notifications().clear();
    SendMessageA(shown, EM_SETSEL, 0, 2);
    press('C', false, kControl);
    EXPECT_EQ(clipboardText(), "fi");
    setClipboardText("9");
    for (const UINT key : {UINT{'X'}, UINT{'V'}, UINT{'Z'}}) {
        press(key, false, kControl);
    }
    press(VK_DELETE);
    press(VK_BACK);
    SendMessageA(shown, WM_PASTE, 0, 0);
    SendMessageA(shown, WM_CLEAR, 0, 0);
    EXPECT_EQ(text(IDC_SHOWN), "fixed");
    EXPECT_EQ(clipboardText(), "9") << "Ctrl+X neither cuts nor copies";
    EXPECT_EQ(notifications(), Notifications{});
}

TEST_F(EditKeys, typing_is_undone_in_one_step_and_a_second_undo_redoes_it) {
    start("", 0, 0);
    typeText(name, "250");
    EXPECT_TRUE(canUndo());
    press('Z', false, kControl);
    EXPECT_EQ(text(IDC_NAME), "");
    press('Z', false, kControl);
    EXPECT_EQ(text(IDC_NAME), "250");
}

TEST_F(EditKeys, backspaces_in_a_row_are_undone_together) {
    start("12345", 5, 5);
    for (int i = 0; i < 3; ++i) {
        press(VK_BACK);
    }
    EXPECT_EQ(text(IDC_NAME), "12");
    SendMessageA(name, WM_UNDO, 0, 0);
    EXPECT_EQ(text(IDC_NAME), "12345");
    EXPECT_EQ(selection(), std::make_pair(DWORD{2}, DWORD{5}));
}

TEST_F(EditKeys, text_set_by_the_program_cannot_be_undone) {
    start("", 0, 0);
    typeText(name, "1");
    SetDlgItemTextA(dialog, IDC_NAME, "10");
    EXPECT_FALSE(canUndo());
    SendMessageA(name, WM_UNDO, 0, 0);
    EXPECT_EQ(text(IDC_NAME), "10");
}

using Menu = std::vector<std::string>;

TEST_F(EditKeys, the_right_click_menu_offers_what_the_selection_and_clipboard_allow) {
    start("12345", 1, 3);
    EXPECT_EQ(rightClickMenu(name, ""),
              (Menu{"[&Undo]", "-", "Cu&t", "&Copy", "&Paste", "&Delete", "-", "Select &All"}));
    SendMessageA(name, EM_SETSEL, 0, -1);
    EXPECT_EQ(rightClickMenu(name, ""),
              (Menu{"[&Undo]", "-", "Cu&t", "&Copy", "&Paste", "&Delete", "-", "[Select &All]"}))
        << "everything is already selected";
    const HWND shown = item(IDC_SHOWN);
    SetDlgItemTextA(dialog, IDC_SHOWN, "fixed");
    SendMessageA(shown, EM_SETSEL, 0, 2);
    EXPECT_EQ(rightClickMenu(shown, ""), (Menu{"[&Undo]", "-", "[Cu&t]", "&Copy", "[&Paste]",
                                               "[&Delete]", "-", "Select &All"}))
        << "a read-only box only copies and selects";
    EXPECT_EQ(GetFocus(), shown) << "the menu's box takes the focus";
}

TEST_F(EditKeys, the_right_click_menu_does_what_its_items_say) {
    start("12345", 1, 3);
    rightClickMenu(name, "Copy");
    EXPECT_EQ(clipboardText(), "23");
    setClipboardText("clip");
    rightClickMenu(name, "Cut");
    EXPECT_EQ(text(IDC_NAME), "145");
    EXPECT_EQ(clipboardText(), "23");
    SendMessageA(name, EM_SETSEL, 3, 3);
    rightClickMenu(name, "Paste");
    EXPECT_EQ(text(IDC_NAME), "14523");
    rightClickMenu(name, "Undo");
    EXPECT_EQ(text(IDC_NAME), "145");
    rightClickMenu(name, "Select All");
    EXPECT_EQ(selection(), std::make_pair(DWORD{0}, DWORD{3}));
    rightClickMenu(name, "Delete");
    EXPECT_EQ(text(IDC_NAME), "");
    EXPECT_EQ(clipboardText(), "23") << "Delete leaves the clipboard alone";
}

}  // namespace
}  // namespace quorvel::testing
