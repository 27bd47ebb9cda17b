// What the program does to the core shows on the widgets.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "tests/platform_qt/qt_test_support.h"

namespace quorvel::platform::qt::testing {
namespace {

using ShowsCore = ControlsDialog;

TEST_F(ShowsCore, texts_and_list_items_decoded_from_windows_1252) {
    SetDlgItemTextA(dialog, IDC_SHOWN, "\2435 \x80 caf\xE9");  // "\243" is the pound sign
    EXPECT_EQ(widget<QLineEdit>(IDC_SHOWN)->text(), QString::fromUtf8("\u00A35 \u20AC caf\u00E9"));
    EXPECT_EQ(view().widgetOf(dialog)->windowTitle(), QString::fromUtf8("Controls \u00A3"));
    // A static text hides its mnemonic mark and is never read as markup.
    EXPECT_EQ(widget<QLabel>(IDC_NAME_LABEL)->text(), "Name");
    SetDlgItemTextA(dialog, IDC_CENTRED, "1st && 2nd <b>");
    EXPECT_EQ(widget<QLabel>(IDC_CENTRED)->text(), "1st & 2nd <b>");

    const HWND list = item(IDC_LIST);
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("\xC9lan"));
    SendMessageA(list, CB_SETCURSEL, 4, 0);
    EXPECT_EQ(widget<QComboBox>(IDC_LIST)->currentText(), QString::fromUtf8("\u00C9lan"));
    SendMessageA(list, CB_DELETESTRING, 4, 0);  // the current item goes: none is current
    EXPECT_EQ(widget<QComboBox>(IDC_LIST)->currentIndex(), -1);
    EXPECT_EQ(widget<QComboBox>(IDC_LIST)->count(), 4);
    saveScreenshot(dialog, "qt-controls.png");
}

TEST_F(ShowsCore, states_focus_and_the_default_button_follow_the_core) {
    EnableWindow(item(IDC_NAME), FALSE);
    EXPECT_FALSE(widget<QLineEdit>(IDC_NAME)->isEnabled());
    ShowWindow(item(IDC_APPLY), SW_HIDE);
    EXPECT_FALSE(widget<QPushButton>(IDC_APPLY)->isVisible());
    const auto* shown = widget<QLineEdit>(IDC_SHOWN);
    EXPECT_TRUE(shown->isReadOnly() && !shown->hasFrame());
    EXPECT_EQ(shown->palette().color(QPalette::Base),
              view().clientOf(dialog)->palette().color(QPalette::Window));
    // The push button Enter would press looks the default one.
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(IDCANCEL)), TRUE);
    EXPECT_TRUE(widget<QPushButton>(IDCANCEL)->hasFocus());
    EXPECT_TRUE(widget<QPushButton>(IDCANCEL)->isDefault());
    EXPECT_FALSE(widget<QPushButton>(IDOK)->isDefault());
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(IDC_LIST)), TRUE);
    EXPECT_TRUE(widget<QPushButton>(IDOK)->isDefault());
}

}  // namespace
}  // namespace quorvel::platform::qt::testing
