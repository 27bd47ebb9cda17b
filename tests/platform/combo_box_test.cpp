// Drop-down lists: the list messages as tables, then the user's choices.

#include <string>

#include "tests/platform/test_dialogs.h"

namespace quorvel::testing {
namespace {

// "\311" is a capital E acute, which the list compares without case too.
const char* const kItems[] = {"Evens", "Won",      "Lost",     "Non-Runner",
                              "Place", "win only", "\311clair"};
constexpr int kItemCount = 7;

class ComboBoxTest : public DialogTest {
  protected:
    void SetUp() override {
        DialogTest::SetUp();
        list = item(IDC_LIST);
        for (const char* text : kItems) {
            send(CB_ADDSTRING, 0, text);
        }
    }

    LRESULT send(UINT message, WPARAM wParam, const char* text = nullptr) {
        return SendMessageA(list, message, wParam, reinterpret_cast<LPARAM>(text));
    }
    LRESULT current() { return send(CB_GETCURSEL, 0); }

    HWND list = nullptr;
};

struct SearchCase {
    const char* name;
    int after;
    const char* text;
    LRESULT found;
    friend void PrintTo(const SearchCase& row, std::ostream* out) { *out << row.name; }
};

const SearchCase kSearches[] = {
    {"starts_after_the_given_item", 1, "w", 5},
    {"wraps_around_to_the_top", 5, "w", 1},
    {"comes_back_to_the_start_item_last", 2, "lo", 2},
    {"ignores_case", -1, "PLA", 4},
    {"ignores_the_case_of_accented_letters", -1, "\351c", 6},
    {"matches_only_at_the_start_of_an_item", -1, "unner", CB_ERR},
    {"does_not_match_a_text_longer_than_the_item", -1, "Evensong", CB_ERR},
    {"with_an_empty_text_finds_nothing", 0, "", CB_ERR},
    {"from_beyond_the_end_searches_from_the_top", 99, "e", 0},
};

class ComboBoxSearch : public ComboBoxTest, public ::testing::WithParamInterface<SearchCase> {};

TEST_P(ComboBoxSearch, find_string_returns_the_prefix_match_and_select_string_selects_it) {
    const SearchCase& c = GetParam();
    const auto after = static_cast<WPARAM>(c.after);
    EXPECT_EQ(send(CB_FINDSTRING, after, c.text), c.found);
    EXPECT_EQ(current(), CB_ERR) << "finding selects nothing";
    send(CB_SETCURSEL, 3);
    EXPECT_EQ(send(CB_SELECTSTRING, after, c.text), c.found);
    EXPECT_EQ(current(), c.found == CB_ERR ? 3 : c.found) << "no match keeps the current item";
    EXPECT_TRUE(notifications().empty()) << "the program's own selection notifies nothing";
}

INSTANTIATE_TEST_SUITE_P(prefix_search, ComboBoxSearch, ::testing::ValuesIn(kSearches), RowName());

struct DeleteCase {
    const char* name;
    int current;
    int deleted;
    LRESULT result;
    LRESULT currentAfter;
    friend void PrintTo(const DeleteCase& row, std::ostream* out) { *out << row.name; }
};

const DeleteCase kDeletes[] = {
    {"deleting_the_current_item_leaves_none_current", 2, 2, kItemCount - 1, CB_ERR},
    {"deleting_an_item_before_the_current_moves_it_up", 3, 1, kItemCount - 1, 2},
    {"deleting_an_item_after_the_current_keeps_it", 1, 4, kItemCount - 1, 1},
    {"deleting_past_the_end_fails", 1, kItemCount, CB_ERR, 1},
};

class ComboBoxDelete : public ComboBoxTest, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(ComboBoxDelete, delete_string_returns_the_count_left_and_moves_the_current_item) {
    const DeleteCase& c = GetParam();
    send(CB_SETCURSEL, static_cast<WPARAM>(c.current));
    const std::string before = text(IDC_LIST);
    EXPECT_EQ(send(CB_DELETESTRING, static_cast<WPARAM>(c.deleted)), c.result);
    EXPECT_EQ(current(), c.currentAfter);
    EXPECT_EQ(send(CB_GETCOUNT, 0), c.result == CB_ERR ? kItemCount : c.result);
    EXPECT_EQ(text(IDC_LIST), c.currentAfter == CB_ERR ? "" : before) << "the same item stays";
}

INSTANTIATE_TEST_SUITE_P(delete_string, ComboBoxDelete, ::testing::ValuesIn(kDeletes), RowName());

TEST_F(ComboBoxTest, add_string_appends_and_only_existing_items_have_a_text) {
    EXPECT_EQ(send(CB_ADDSTRING, 0, "Aardvark"), kItemCount);
    char text[16] = "unchanged";
    EXPECT_EQ(SendMessageA(list, CB_GETLBTEXT, kItemCount + 1, reinterpret_cast<LPARAM>(text)),
              CB_ERR);
    EXPECT_STREQ(text, "unchanged");
    EXPECT_EQ(send(CB_GETLBTEXTLEN, kItemCount), 8);
    EXPECT_EQ(SendMessageA(list, CB_GETLBTEXT, kItemCount, reinterpret_cast<LPARAM>(text)), 8);
    EXPECT_STREQ(text, "Aardvark");
}

TEST_F(ComboBoxTest, set_cur_sel_with_minus_one_and_reset_content_clear_the_current_item) {
    EXPECT_EQ(send(CB_SETCURSEL, 2), 2);
    EXPECT_EQ(text(IDC_LIST), "Lost");
    EXPECT_EQ(send(CB_SETCURSEL, static_cast<WPARAM>(-1)), CB_ERR);
    EXPECT_EQ(current(), CB_ERR);
    EXPECT_EQ(text(IDC_LIST), "");
    send(CB_SETCURSEL, 1);
    send(CB_RESETCONTENT, 0);
    EXPECT_EQ(send(CB_GETCOUNT, 0), 0);
    EXPECT_EQ(current(), CB_ERR);
}

TEST_F(ComboBoxTest, set_cur_sel_past_the_end_clears_the_current_item) {
    send(CB_SETCURSEL, 2);
    EXPECT_EQ(send(CB_SETCURSEL, kItemCount), CB_ERR);
    EXPECT_EQ(current(), CB_ERR);
}

TEST_F(ComboBoxTest, reset_content_answers_cb_okay) {
    EXPECT_EQ(send(CB_RESETCONTENT, 0), 0) << "CB_OKAY";
}

TEST_F(ComboBoxTest, choosing_the_current_item_again_notifies_and_a_disabled_list_takes_no_choice) {
    ASSERT_TRUE(chooseItem(list, 4));
    EXPECT_EQ(current(), 4);
    EXPECT_EQ(send(CB_GETDROPPEDSTATE, 0), FALSE);
    notifications().clear();
    chooseItem(list, 4);
    ASSERT_FALSE(notifications().empty());
    EXPECT_EQ(notifications().back().code, CBN_SELCHANGE)
        << "choosing the current item again still notifies a change";
    EnableWindow(list, FALSE);
    notifications().clear();
    EXPECT_FALSE(chooseItem(list, 3)) << "disabled";
    EXPECT_EQ(current(), 4);
    EXPECT_TRUE(notifications().empty());
}

TEST_F(ComboBoxTest, arrow_keys_on_a_closed_list_step_through_the_items) {
    send(CB_SETCURSEL, 1);
    SetFocus(list);
    notifications().clear();
    press(VK_DOWN);
    EXPECT_EQ(current(), 2);
    EXPECT_EQ(notifications(), sent(IDC_LIST, {CBN_SELENDOK, CBN_SELCHANGE}));
    for (int i = 0; i < 3; ++i) {
        press(VK_UP);  // the third is at the top already: nothing more
    }
    EXPECT_EQ(current(), 0);
}

}  // namespace
}  // namespace quorvel::testing
