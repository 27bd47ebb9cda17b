// Report-view list views as the program's "Working" dialog uses them:
// columns, rows of texts, one selected and focused row moved by the keys,
// and the keys told to the parent.

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

INT_PTR CALLBACK listDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == LVN_KEYDOWN && header->idFrom == IDC_LIST_VIEW &&
            wParam == IDC_LIST_VIEW) {
            keysTold().push_back(reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey);
        }
    } else if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        EndDialog(dialog, IDOK);
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
    LRESULT addRow(int at, const char* text) const {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = at;
        item.pszText = const_cast<LPSTR>(text);
        return send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    LRESULT setCell(int row, int column, const char* text) const {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = const_cast<LPSTR>(text);
        return send(LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
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
    void fill(int rows) const {
        addColumn(0, "Line");
        addColumn(1, "Return");
        for (int i = 0; i < rows; ++i) {
            addRow(i, std::to_string(i + 1).c_str());
        }
    }

    HWND dialog = nullptr;
    HWND list = nullptr;
};

TEST_F(ListViewTest, rows_hold_a_text_per_column_and_go_where_they_are_inserted) {
    EXPECT_EQ(addColumn(0, "Line"), 0);
    EXPECT_EQ(addColumn(5, "Return"), 1) << "past the end goes last";
    EXPECT_EQ(addRow(0, "2"), 0);
    EXPECT_EQ(addRow(0, "1"), 0);
    EXPECT_EQ(addRow(9, "3"), 2);
    EXPECT_TRUE(setCell(0, 1,
                        "\xA3"
                        "1.45"));
    EXPECT_FALSE(setCell(3, 1, "no such row"));
    EXPECT_EQ(send(LVM_GETITEMCOUNT), 3);
    EXPECT_EQ(cell(0, 0) + cell(1, 0) + cell(2, 0), "123");
    EXPECT_EQ(cell(0, 1),
              "\xA3"
              "1.45");
    EXPECT_EQ(cell(1, 1), "");
    EXPECT_TRUE(send(LVM_DELETEALLITEMS));
    EXPECT_EQ(send(LVM_GETITEMCOUNT), 0);
    EXPECT_EQ(addRow(0, "again"), 0) << "the columns stay";
}

TEST_F(ListViewTest, one_row_is_selected_and_one_focused_at_a_time) {
    fill(3);
    EXPECT_EQ(next(LVNI_SELECTED), -1);
    setState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    setState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(next(LVNI_SELECTED), 2);
    EXPECT_EQ(next(LVNI_FOCUSED), 2);
    EXPECT_EQ(send(LVM_GETITEMSTATE, 0, LVIS_SELECTED | LVIS_FOCUSED), 0);
    EXPECT_EQ(next(LVNI_ALL, 0), 1);
    EXPECT_EQ(next(LVNI_ALL, 2), -1);
    setState(-1, 0, LVIS_SELECTED);
    EXPECT_EQ(next(LVNI_SELECTED), -1) << "-1 is every row";
    EXPECT_EQ(next(LVNI_FOCUSED), 2) << "the focus stays";
}

TEST_F(ListViewTest, keys_move_the_selection_and_are_told_to_the_dialog) {
    fill(30);
    SetFocus(list);
    setState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    const auto selected = [&] { return next(LVNI_SELECTED); };
    pressKey(VK_DOWN);
    pressKey(VK_DOWN);
    pumpMessages(dialog);
    EXPECT_EQ(selected(), 2);
    pressKey(VK_UP);
    pumpMessages(dialog);
    EXPECT_EQ(selected(), 1);
    pressKey(VK_NEXT);
    pumpMessages(dialog);
    const LRESULT page = selected();
    EXPECT_GT(page, 2) << "Page Down moves by more than a row";
    EXPECT_LT(page, 29);
    pressKey(VK_PRIOR);
    pumpMessages(dialog);
    EXPECT_LT(selected(), page);
    pressKey(VK_END);
    pumpMessages(dialog);
    EXPECT_EQ(selected(), 29);
    EXPECT_EQ(next(LVNI_FOCUSED), 29);
    pressKey(VK_HOME);
    pumpMessages(dialog);
    EXPECT_EQ(selected(), 0);
    keysTold().clear();
    pressKey('C', false, true);
    pumpMessages(dialog);
    EXPECT_EQ(keysTold(), (std::vector<WORD>{VK_CONTROL, 'C'}));
    EXPECT_EQ(selected(), 0) << "other keys leave the selection";
    EXPECT_EQ(GetFocus(), list) << "the list keeps arrow keys from the dialog manager";
}

}  // namespace
}  // namespace quorvel::testing
