// Up-down controls attached to an edit box, as the program's preferences use
// them: buddy integer, aligned to the buddy's right edge.

#include <string>

#include "tests/platform/test_dialogs.h"

namespace quorvel::testing {
namespace {

constexpr int kUpDownId = 20480;

class UpDownTest : public DialogTest {
  protected:
    void create(int upper, int lower, int position) {
        upDown = CreateUpDownControl(
            WS_CHILD | WS_VISIBLE | WS_BORDER | UDS_SETBUDDYINT | UDS_ALIGNRIGHT, 50, 50, 10, 10,
            dialog, kUpDownId, instance(), item(IDC_NUMBER), upper, lower, position);
        ASSERT_NE(upDown, nullptr);
    }

    std::string buddyText() {
        char text[32] = {};
        GetDlgItemTextA(dialog, IDC_NUMBER, text, sizeof text);
        return text;
    }

    HWND upDown = nullptr;
};

TEST_F(UpDownTest, the_buddy_shows_the_position_kept_within_the_range) {
    create(20, 0, 9);
    EXPECT_EQ(buddyText(), "9");
    EXPECT_EQ(GetDlgItem(dialog, kUpDownId), upDown);
    EXPECT_EQ(SendMessageA(upDown, UDM_GETPOS, 0, 0), MAKELONG(9, 0));
    EXPECT_EQ(SendMessageA(upDown, UDM_GETRANGE, 0, 0), MAKELONG(20, 0));
    EXPECT_EQ(SendMessageA(upDown, UDM_SETPOS, 0, MAKELONG(45, 0)), 9);
    EXPECT_EQ(buddyText(), "20") << "kept within the range";
}

struct StepCase {
    const char* name;
    int lower;
    int upper;
    int start;
    bool up;
    int clicks;
    const char* shown;
};

void PrintTo(const StepCase& row, std::ostream* out) {
    *out << row.name;
}

const StepCase kSteps[] = {
    {"up_steps_by_one", 0, 20, 9, true, 1, "10"},
    {"down_steps_by_one", 0, 20, 9, false, 2, "7"},
    {"up_stops_at_the_upper_limit", 1, 3, 2, true, 5, "3"},
    {"down_stops_at_the_lower_limit", 1, 3, 2, false, 5, "1"},
};

class UpDownSteps : public UpDownTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(UpDownSteps, arrows_change_the_buddy_within_the_range) {
    const StepCase& c = GetParam();
    create(c.upper, c.lower, c.start);
    for (int i = 0; i < c.clicks; ++i) {
        ASSERT_TRUE(clickUpDown(upDown, c.up));
    }
    EXPECT_EQ(buddyText(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(arrows, UpDownSteps, ::testing::ValuesIn(kSteps),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(UpDownTest, arrows_continue_from_a_typed_number_and_notify_through_the_buddy) {
    create(20, 0, 9);
    typeText(item(IDC_NUMBER), "\b15");
    notifications().clear();
    clickUpDown(upDown, true);
    EXPECT_EQ(buddyText(), "16");
    ASSERT_FALSE(notifications().empty());
    EXPECT_EQ(notifications().back(), (Notification{IDC_NUMBER, EN_CHANGE, item(IDC_NUMBER)}));
}

TEST_F(UpDownTest, a_typed_text_that_is_no_number_in_range_is_reported_by_get_pos) {
    create(3, 1, 2);
    SetDlgItemTextA(dialog, IDC_NUMBER, "7");
    EXPECT_EQ(SendMessageA(upDown, UDM_GETPOS, 0, 0), MAKELONG(2, 1));
    SetDlgItemTextA(dialog, IDC_NUMBER, "3x");
    EXPECT_NE(HIWORD(SendMessageA(upDown, UDM_GETPOS, 0, 0)), 0);
}

TEST_F(UpDownTest, a_disabled_up_down_takes_no_click) {
    create(20, 0, 9);
    EnableWindow(upDown, FALSE);
    EXPECT_FALSE(clickUpDown(upDown, true));
    EXPECT_EQ(buddyText(), "9");
}

}  // namespace
}  // namespace quorvel::testing
