// Report-view list views as the "Working" dialog uses them: rows of texts, one
// selected and focused row moved by the keys, the keys told to the parent.

#include <string>
#include <vector>

#include "tests/platform/test_dialogs.h"

namespace quorvel::testing {
namespace {

// The keys the list told its dialog of with LVN_KEYDOWN, oldest first.
std::vector<WORD>& keysTold() {
    static std::vector<WORD> keys;
    return keys;
}

INT_PTR CALLBACK listDialogProc(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (message == WM_NOTIFY && header->code == LVN_KEYDOWN && header->idFrom == IDC_LIST_VIEW &&
        wParam == IDC_LIST_VIEW) {
        keysTold().push_back(reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey);
    }
    return message == WM_INITDIALOG;
}

class ListViewTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        InitCommonControls();
        dialog = CreateDialogParamA(instance(), MAKEINTRESOURCEA(IDD_LIST_VIEW), nullptr,
                                    listDialogProc, 0);
        ASSERT_NE(dialog, nullptr);
        list = GetDlgItem(dialog, IDC_LIST_VIEW);
        ShowWindow(dialog, SW_SHOW);
        pumpMessages(dialog);
        keysTold().clear();
    }
    void TearDown() override {
        DestroyWindow(dialog);
        WindowTest::TearDown();
    }

    LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageA(list, message, wParam, lParam);
    }
    LRESULT addColumn(int at, const char* text) const {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.cx = 60;
        column.pszText = const_cast<LPSTR>(text);
        column.iSubItem = at;
        return send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&column));
    }
    // LVM_INSERTITEMA of a row's first text, or LVM_SETITEMTEXTA of any.
    LRESULT put(UINT message, int row, int column, const char* text) const {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.iSubItem = column;
        item.pszText = const_cast<LPSTR>(text);
        return send(message, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
    LRESULT addRow(int at, const char* text) const { return put(LVM_INSERTITEMA, at, 0, text); }
    std::string cell(int row, int column) const {
        char buffer[64] = {};
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        send(LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        return buffer;
    }
    void setState(int row, UINT state, UINT mask) const {
        LVITEMA item{};
        item.state = state;
        item.stateMask = mask;
        send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
    LRESULT next(UINT flags, int after = -1) const {
        return send(LVM_GETNEXTITEM, static_cast<WPARAM>(after), MAKELPARAM(flags, 0));
    }
    // Presses a key in the dialog and gives the selected row after it.
    LRESULT press(UINT key, bool control = false) const {
        pressKey(key, false, control);
        pumpMessages(dialog);
        return next(LVNI_SELECTED);
    }

    HWND dialog = nullptr;
    HWND list = nullptr;
};

TEST_F(ListViewTest, rows_hold_a_text_per_column_and_one_is_selected_and_focused_at_a_time) {
    EXPECT_EQ(addColumn(0, "Line"), 0);
    EXPECT_EQ(addColumn(5, "Return"), 1) << "past the end goes last";
    EXPECT_EQ(addRow(0, "2"), 0);
    EXPECT_EQ(addRow(0, "1"), 0);
    EXPECT_EQ(addRow(9, "3"), 2);
    EXPECT_TRUE(put(LVM_SETITEMTEXTA, 0, 1, "1.45"));
    EXPECT_FALSE(put(LVM_SETITEMTEXTA, 3, 1, "no such row"));
    EXPECT_EQ(send(LVM_GETITEMCOUNT), 3);
    EXPECT_EQ(cell(0, 0) + cell(1, 0) + cell(2, 0) + "|" + cell(0, 1) + "|" + cell(1, 1),
              "123|1.45|");

    EXPECT_EQ(next(LVNI_SELECTED), -1);
    setState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    setState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(next(LVNI_SELECTED), 2);
    EXPECT_EQ(next(LVNI_FOCUSED), 2);
    EXPECT_EQ(send(LVM_GETITEMSTATE, 0, LVIS_SELECTED | LVIS_FOCUSED), 0) << "only one of each";
    setState(-1, 0, LVIS_SELECTED);
    EXPECT_EQ(next(LVNI_SELECTED), -1) << "-1 is every row";
    EXPECT_EQ(next(LVNI_FOCUSED), 2) << "the focus stays";

    EXPECT_TRUE(send(LVM_DELETEALLITEMS));
    EXPECT_EQ(send(LVM_GETITEMCOUNT), 0);
    EXPECT_EQ(addRow(0, "again"), 0) << "the columns stay";
}

TEST_F(ListViewTest, keys_move_the_selection_and_are_told_to_the_dialog) {
    addColumn(0, "Line");
    for (int i = 0; i < 30; ++i) {
        addRow(i, "line");
    }
    SetFocus(list);
    setState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    press(VK_DOWN);
    EXPECT_EQ(press(VK_DOWN), 2);
    EXPECT_EQ(press(VK_UP), 1);
    const LRESULT page = press(VK_NEXT);
    EXPECT_TRUE(page > 2 && page < 29) << "Page Down moves by a page, to " << page;
    EXPECT_LT(press(VK_PRIOR), page);
    EXPECT_EQ(press(VK_END), 29);
    EXPECT_EQ(press(VK_HOME), 0);
    keysTold().clear();
    EXPECT_EQ(press('C', true), 0) << "other keys leave the selection";
    EXPECT_EQ(keysTold(), (std::vector<WORD>{VK_CONTROL, 'C'}));
    EXPECT_EQ(GetFocus(), list) << "the list keeps arrow keys from the dialog manager";
}

}  // namespace
}  // namespace quorvel::testing
