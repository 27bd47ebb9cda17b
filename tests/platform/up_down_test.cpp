// Up-down controls attached to an edit box, as the program's preferences use
// them: buddy integer, aligned to the buddy's right edge.

#include <utility>

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

    HWND upDown = nullptr;
};

TEST_F(UpDownTest, the_buddy_shows_the_position_kept_within_the_range) {
    create(20, 0, 9);
    EXPECT_EQ(text(IDC_NUMBER), "9");
    EXPECT_EQ(GetDlgItem(dialog, kUpDownId), upDown);
    EXPECT_EQ(SendMessageA(upDown, UDM_GETPOS, 0, 0), MAKELONG(9, 0));
    EXPECT_EQ(SendMessageA(upDown, UDM_GETRANGE, 0, 0), MAKELONG(20, 0));
    EXPECT_EQ(SendMessageA(upDown, UDM_SETPOS, 0, MAKELONG(45, 0)), 9);
    EXPECT_EQ(text(IDC_NUMBER), "20") << "kept within the range";
}

TEST_F(UpDownTest, the_arrows_step_by_one_and_stop_at_either_limit_unless_disabled) {
    create(3, 0, 2);
    const std::pair<bool, const char*> steps[] = {{false, "1"}, {false, "0"}, {false, "0"},
                                                  {true, "1"},  {true, "2"},  {true, "3"},
                                                  {true, "3"}};
    for (const auto& [up, shown] : steps) {
        ASSERT_TRUE(clickUpDown(upDown, up));
        EXPECT_EQ(text(IDC_NUMBER), shown);
    }
    EnableWindow(upDown, FALSE);
    EXPECT_FALSE(clickUpDown(upDown, true));
    EXPECT_EQ(text(IDC_NUMBER), "3");
}

TEST_F(UpDownTest, arrows_continue_from_a_typed_number_and_notify_through_the_buddy) {
    create(20, 0, 9);
    typeText(item(IDC_NUMBER), "\b15");
    notifications().clear();
    clickUpDown(upDown, true);
    EXPECT_EQ(text(IDC_NUMBER), "16");
    ASSERT_FALSE(notifications().empty());
    EXPECT_EQ(notifications().back(), sent(IDC_NUMBER, {EN_CHANGE})[0]);
}

TEST_F(UpDownTest, a_typed_text_that_is_no_number_in_range_is_reported_by_get_pos) {
    create(3, 1, 2);
    SetDlgItemTextA(dialog, IDC_NUMBER, "7");
    EXPECT_EQ(SendMessageA(upDown, UDM_GETPOS, 0, 0), MAKELONG(2, 1));
    SetDlgItemTextA(dialog, IDC_NUMBER, "3x");
    EXPECT_NE(HIWORD(SendMessageA(upDown, UDM_GETPOS, 0, 0)), 0);
}

}  // namespace
}  // namespace quorvel::testing
