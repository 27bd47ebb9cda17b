// What the program does to the core shows on the widgets.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "tests/platform_qt/qt_test_support.h"

namespace quorvel::platform::qt::testing {
namespace {

using ShowsCore = ControlsDialog;

TEST_F(ShowsCore, texts_are_decoded_from_windows_1252) {
    SetDlgItemTextA(dialog, IDC_SHOWN,
                    "\xA3"
                    "5 \x80 caf\xE9");
    EXPECT_EQ(widget<QLineEdit>(IDC_SHOWN)->text(), QString::fromUtf8("\u00A35 \u20AC caf\u00E9"));
    EXPECT_EQ(view().widgetOf(dialog)->windowTitle(), QString::fromUtf8("Controls \u00A3"));
    SetWindowTextA(dialog, "Renamed");
    EXPECT_EQ(view().widgetOf(dialog)->windowTitle(), "Renamed");
    // A static text shows its mnemonic mark as the platform does: not at all.
    EXPECT_EQ(widget<QLabel>(IDC_NAME_LABEL)->text(), "Name");
    SetDlgItemTextA(dialog, IDC_CENTRED, "1st && 2nd <b>");
    EXPECT_EQ(widget<QLabel>(IDC_CENTRED)->text(), "1st & 2nd <b>");
    EXPECT_EQ(widget<QLabel>(IDC_CENTRED)->alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
}

TEST_F(ShowsCore, list_items_and_the_current_item_follow_the_core) {
    const HWND list = item(IDC_LIST);
    auto* widgetList = widget<QComboBox>(IDC_LIST);
    EXPECT_EQ(widgetList->count(), 4);
    EXPECT_EQ(widgetList->currentText(), "Apple");
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("\xC9lan"));
    SendMessageA(list, CB_SETCURSEL, 4, 0);
    EXPECT_EQ(widgetList->currentText(), QString::fromUtf8("\u00C9lan"));
    SendMessageA(list, CB_DELETESTRING, 4, 0);
    EXPECT_EQ(widgetList->currentIndex(), -1);
    EXPECT_EQ(widgetList->count(), 4);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    EXPECT_EQ(widgetList->count(), 0);
}

TEST_F(ShowsCore, ticks_enabled_and_visible_states_follow_the_core) {
    CheckRadioButton(dialog, IDC_RED, IDC_BLUE, IDC_BLUE);
    EXPECT_TRUE(widget<QRadioButton>(IDC_BLUE)->isChecked());
    EXPECT_FALSE(widget<QRadioButton>(IDC_RED)->isChecked());
    CheckDlgButton(dialog, IDC_TICK, BST_CHECKED);
    EXPECT_TRUE(widget<QCheckBox>(IDC_TICK)->isChecked());
    EnableWindow(item(IDC_NAME), FALSE);
    EXPECT_FALSE(widget<QLineEdit>(IDC_NAME)->isEnabled());
    EnableWindow(item(IDC_NAME), TRUE);
    EXPECT_TRUE(widget<QLineEdit>(IDC_NAME)->isEnabled());
    ShowWindow(item(IDC_APPLY), SW_HIDE);
    EXPECT_FALSE(widget<QPushButton>(IDC_APPLY)->isVisible());
    ShowWindow(item(IDC_APPLY), SW_SHOW);
    EXPECT_TRUE(widget<QPushButton>(IDC_APPLY)->isVisible());
}

TEST_F(ShowsCore, the_focus_and_the_default_button_look_follow_the_core) {
    SetFocus(item(IDC_NAME));
    EXPECT_TRUE(widget<QLineEdit>(IDC_NAME)->hasFocus());
    EXPECT_TRUE(widget<QPushButton>(IDOK)->isDefault());
    // A focused push button is the one Enter presses, and looks it.
    SetFocus(item(IDCANCEL));
    EXPECT_TRUE(widget<QPushButton>(IDCANCEL)->isDefault());
    EXPECT_FALSE(widget<QPushButton>(IDOK)->isDefault());
    SetFocus(item(IDC_LIST));
    EXPECT_TRUE(widget<QPushButton>(IDOK)->isDefault());
    EXPECT_FALSE(widget<QPushButton>(IDCANCEL)->isDefault());
}

TEST_F(ShowsCore, edit_boxes_show_selection_read_only_and_border_as_styled) {
    SetDlgItemTextA(dialog, IDC_NAME, "abcdef");
    SendDlgItemMessageA(dialog, IDC_NAME, EM_SETSEL, 2, 5);
    EXPECT_EQ(widget<QLineEdit>(IDC_NAME)->selectedText(), "cde");
    EXPECT_FALSE(widget<QLineEdit>(IDC_NAME)->isReadOnly());
    EXPECT_TRUE(widget<QLineEdit>(IDC_NAME)->hasFrame());
    const auto* shown = widget<QLineEdit>(IDC_SHOWN);
    EXPECT_TRUE(shown->isReadOnly());
    EXPECT_FALSE(shown->hasFrame());
    // A read-only box has the dialog's face, not a field's.
    EXPECT_EQ(shown->palette().color(QPalette::Base),
              view().clientOf(dialog)->palette().color(QPalette::Window));
}

TEST_F(ShowsCore, every_control_is_named_for_screen_readers) {
    SetDlgItemTextA(dialog, IDC_SHOWN, "Result text");
    const struct {
        int id;
        const char* name;
    } rows[] = {
        {IDOK, "OK"},
        {IDC_APPLY, "Apply"},  // without its mnemonic mark
        {IDC_COLOURS, "Colour"},
        {IDC_RED, "Red"},
        {IDC_TICK, "Tick"},
        {IDC_NAME, "Name"},   // the label on its left
        {IDC_LIST, "Fruit"},  // the label on its right
        {IDC_COUNT, "Count"},
        {IDC_COUNT_ARROWS, "Count"},  // arrows take their box's name
        {IDC_SHOWN, "Result text"},   // no label: its own text
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QWidget* w = view().widgetOf(item(row.id));
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->accessibleName(), row.name);
    }
}

}  // namespace
}  // namespace quorvel::platform::qt::testing
