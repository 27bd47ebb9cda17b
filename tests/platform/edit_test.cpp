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

    std::string text(int id = IDC_NAME) {
        char buffer[256] = {};
        GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
        return buffer;
    }

    HWND name = nullptr;
};

struct ReadCase {
    const char* name;
    int bufferSize;
    UINT count;
    const char* read;
};

void PrintTo(const ReadCase& row, std::ostream* out) {
    *out << row.name;
}

// A buffer of n characters receives at most n - 1 and a terminator.
const ReadCase kReads[] = {
    {"a_buffer_of_none_is_left_alone", 0, 0, "untouched"},
    {"a_buffer_of_one_gets_only_the_terminator", 1, 0, ""},
    {"a_buffer_one_short_loses_the_last_character", 5, 4, "1234"},
    {"a_buffer_of_exactly_text_and_terminator_gets_it_all", 6, 5, "12345"},
};

class EditRead : public EditTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(EditRead, get_dlg_item_text_truncates_to_the_buffer_and_returns_the_count) {
    const ReadCase& c = GetParam();
    SetDlgItemTextA(dialog, IDC_NAME, "12345");
    char buffer[64] = "untouched";
    EXPECT_EQ(GetDlgItemTextA(dialog, IDC_NAME, buffer, c.bufferSize), c.count);
    EXPECT_STREQ(buffer, c.read);
}

INSTANTIATE_TEST_SUITE_P(buffers, EditRead, ::testing::ValuesIn(kReads),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(EditTest, reading_a_control_that_does_not_exist_gives_an_empty_text) {
    char buffer[8] = "x";
    EXPECT_EQ(GetDlgItemTextA(dialog, 9999, buffer, sizeof buffer), 0u);
    EXPECT_STREQ(buffer, "");
}

struct LimitCase {
    const char* name;
    WPARAM limit;
    const char* typed;
    const char* kept;
    LRESULT reported;
};

void PrintTo(const LimitCase& row, std::ostream* out) {
    *out << row.name;
}

const LimitCase kLimits[] = {
    {"typing_stops_at_the_limit", 4, "123456", "1234", 4},
    {"typing_up_to_the_limit_is_kept_whole", 4, "1234", "1234", 4},
    {"a_limit_of_zero_means_the_largest", 0, "123456", "123456", 0x7FFFFFFE},
};

class EditLimit : public EditTest, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(EditLimit, limit_text_limits_what_the_user_types) {
    const LimitCase& c = GetParam();
    SendMessageA(name, EM_LIMITTEXT, c.limit, 0);
    EXPECT_EQ(SendMessageA(name, EM_GETLIMITTEXT, 0, 0), c.reported);
    typeText(name, c.typed);
    EXPECT_EQ(text(), c.kept);
}

INSTANTIATE_TEST_SUITE_P(limits, EditLimit, ::testing::ValuesIn(kLimits),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(EditTest, the_limit_does_not_cut_text_set_by_the_program) {
    EXPECT_EQ(SendMessageA(name, EM_GETLIMITTEXT, 0, 0), 30000) << "the platform's starting limit";
    SendMessageA(name, EM_SETLIMITTEXT, 3, 0);
    SetDlgItemTextA(dialog, IDC_NAME, "longer than three");
    EXPECT_EQ(text(), "longer than three");
    EXPECT_EQ(SendMessageA(name, WM_GETTEXTLENGTH, 0, 0), 17);
}

TEST_F(EditTest, typing_into_a_full_box_replaces_the_selected_text) {
    SendMessageA(name, EM_LIMITTEXT, 4, 0);
    typeText(name, "1234");
    SendMessageA(name, EM_SETSEL, 0, -1);
    typeText(name, "56");
    EXPECT_EQ(text(), "56");
}

TEST_F(EditTest, typing_and_setting_the_text_each_send_update_then_change) {
    typeText(name, "a");
    SetDlgItemTextA(dialog, IDC_NAME, "set");
    const std::vector<Notification> expected = {
        {IDC_NAME, EN_SETFOCUS, name}, {IDC_NAME, EN_UPDATE, name}, {IDC_NAME, EN_CHANGE, name},
        {IDC_NAME, EN_UPDATE, name},   {IDC_NAME, EN_CHANGE, name},
    };
    EXPECT_EQ(notifications(), expected);
}

TEST_F(EditTest, a_character_refused_by_the_limit_sends_max_text_then_update_and_change) {
    SendMessageA(name, EM_LIMITTEXT, 1, 0);
    typeText(name, "a");
    notifications().clear();
    typeText(name, "b");
    const std::vector<Notification> expected = {
        {IDC_NAME, EN_MAXTEXT, name}, {IDC_NAME, EN_UPDATE, name}, {IDC_NAME, EN_CHANGE, name}};
    EXPECT_EQ(notifications(), expected);
    EXPECT_EQ(text(), "a");
}

TEST_F(EditTest, a_read_only_box_takes_the_focus_but_no_typing) {
    const HWND shown = item(IDC_SHOWN);
    SetDlgItemTextA(dialog, IDC_SHOWN, "fixed");
    notifications().clear();
    EXPECT_TRUE(typeText(shown, "xyz"));
    EXPECT_EQ(GetFocus(), shown);
    EXPECT_EQ(text(IDC_SHOWN), "fixed");
    const std::vector<Notification> expected = {{IDC_SHOWN, EN_SETFOCUS, shown}};
    EXPECT_EQ(notifications(), expected);
}

TEST_F(EditTest, a_disabled_box_takes_no_typing_and_no_focus) {
    EnableWindow(name, FALSE);
    EXPECT_FALSE(typeText(name, "x"));
    EXPECT_EQ(text(), "");
    EXPECT_NE(GetFocus(), name);
    EXPECT_EQ(SetFocus(name), nullptr) << "a disabled window cannot take the focus";
}

TEST_F(EditTest, texts_are_windows_1252_bytes_and_backspace_deletes_before_the_caret) {
    SetDlgItemTextA(dialog, IDC_NAME,
                    "\xA3"
                    "12.50");
    typeText(name, "\xE9x\b");
    EXPECT_EQ(text(),
              "\xA3"
              "12.50\xE9");
}

}  // namespace
}  // namespace quorvel::testing
