// Edit boxes: reading text back, text limits, typing and its notifications.

#include <string>

#include "tests/platform/test_dialogs.h"

namespace quorvel::testing {
namespace {

class EditTest : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        name = item(IDC_NAME);
    }

    LRESULT limit() { return SendMessageA(name, EM_GETLIMITTEXT, 0, 0); }

    HWND name = nullptr;
};

struct ReadCase {
    const char* name;
    int id;
    int bufferSize;
    UINT count;
    const char* read;
    friend void PrintTo(const ReadCase& row, std::ostream* out) { *out << row.name; }
};

// A buffer of n characters receives at most n - 1 and a terminator.
const ReadCase kReads[] = {
    {"a_buffer_of_none_is_left_alone", IDC_NAME, 0, 0, "untouched"},
    {"a_buffer_of_one_gets_only_the_terminator", IDC_NAME, 1, 0, ""},
    {"a_buffer_one_short_loses_the_last_character", IDC_NAME, 5, 4, "1234"},
    {"a_buffer_of_exactly_text_and_terminator_gets_it_all", IDC_NAME, 6, 5, "12345"},
    {"a_control_that_does_not_exist_gives_an_empty_text", 9999, 8, 0, ""},
};

class EditRead : public EditTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(EditRead, get_dlg_item_text_truncates_to_the_buffer_and_returns_the_count) {
    const ReadCase& c = GetParam();
    SetDlgItemTextA(dialog, IDC_NAME, "12345");
    char buffer[64] = "untouched";
    EXPECT_EQ(GetDlgItemTextA(dialog, c.id, buffer, c.bufferSize), c.count);
    EXPECT_STREQ(buffer, c.read);
}

INSTANTIATE_TEST_SUITE_P(buffers, EditRead, ::testing::ValuesIn(kReads), RowName());

TEST_F(EditTest, the_limit_holds_typing_not_the_programs_text_and_zero_means_the_largest) {
    EXPECT_EQ(limit(), 30000) << "the platform's starting limit";
    SendMessageA(name, EM_LIMITTEXT, 4, 0);
    EXPECT_EQ(limit(), 4);
    typeText(name, "123456");
    EXPECT_EQ(text(IDC_NAME), "1234");
    SendMessageA(name, EM_SETSEL, 0, -1);
    typeText(name, "56");
    EXPECT_EQ(text(IDC_NAME), "56") << "typing into a full box replaces the selected text";
    SetDlgItemTextA(dialog, IDC_NAME, "longer than four");
    EXPECT_EQ(text(IDC_NAME), "longer than four");
    EXPECT_EQ(SendMessageA(name, WM_GETTEXTLENGTH, 0, 0), 16);
    SendMessageA(name, EM_SETLIMITTEXT, 0, 0);
    EXPECT_EQ(limit(), 0x7FFFFFFE);
}

TEST_F(EditTest, typing_and_setting_the_text_each_send_update_then_change) {
    typeText(name, "a");
    SetDlgItemTextA(dialog, IDC_NAME, "set");
    EXPECT_EQ(notifications(),
              sent(IDC_NAME, {EN_SETFOCUS, EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}));
}

TEST_F(EditTest, a_character_refused_by_the_limit_sends_max_text_then_update_and_change) {
    SendMessageA(name, EM_LIMITTEXT, 1, 0);
    typeText(name, "a");
    notifications().clear();
    typeText(name, "b");
    EXPECT_EQ(notifications(), sent(IDC_NAME, {EN_MAXTEXT, EN_UPDATE, EN_CHANGE}));
    EXPECT_EQ(text(IDC_NAME), "a");
}

TEST_F(EditTest, a_disabled_box_takes_no_typing_and_no_focus) {
    EnableWindow(name, FALSE);
    EXPECT_FALSE(typeText(name, "x"));
    EXPECT_EQ(text(IDC_NAME), "");
    EXPECT_EQ(SetFocus(name), nullptr) << "a disabled window cannot take the focus";
    EXPECT_NE(GetFocus(), name);
}

}  // namespace
}  // namespace quorvel::testing
