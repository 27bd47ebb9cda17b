// The colour a dialog gives a control's text, and a description for screen
// readers, as the widgets show and expose them.

#include <QAccessible>
#include <QAccessibleInterface>
#include <QLineEdit>

#include "platform/accessible_description.h"
#include "tests/platform_qt/qt_test_support.h"

namespace quorvel::testing {
using namespace platform;
using namespace platform::qt;
namespace {

bool greyText = false;

// Grey text for the read-only box while greyText is set.
INT_PTR CALLBACK greyingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CTLCOLORSTATIC && greyText &&
        reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, IDC_SHOWN)) {
        SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_GRAYTEXT));
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
    return message == WM_INITDIALOG;
}

TEST(colours, a_box_is_drawn_in_the_colour_its_dialog_gives_and_described_for_screen_readers) {
    const HWND dialog =
        CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_QT_CONTROLS), nullptr,
                           greyingDialogProc, 0);
    ShowWindow(dialog, SW_SHOWNORMAL);
    pump();
    const HWND box = GetDlgItem(dialog, IDC_SHOWN);
    auto* edit = qobject_cast<QLineEdit*>(view().widgetOf(box));
    ASSERT_NE(edit, nullptr);
    const QColor usual = edit->palette().color(QPalette::Text);

    greyText = true;
    InvalidateRect(box, nullptr, TRUE);
    const DWORD grey = GetSysColor(COLOR_GRAYTEXT);
    EXPECT_EQ(edit->palette().color(QPalette::Text),
              QColor(static_cast<int>(grey & 0xFF), static_cast<int>((grey >> 8) & 0xFF),
                     static_cast<int>((grey >> 16) & 0xFF)));
    EXPECT_NE(edit->palette().color(QPalette::Text), usual);
    SetWindowTextA(box,
                   "\xA3"
                   "8.32");
    saveScreenshot(dialog, "qt-grey-text.png");
    setAccessibleDescription(box, "out of date: press Settle");
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(edit);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Description), "out of date: press Settle");

    greyText = false;
    InvalidateRect(box, nullptr, TRUE);
    setAccessibleDescription(box, "");
    EXPECT_EQ(edit->palette().color(QPalette::Text), usual);
    EXPECT_EQ(accessible->text(QAccessible::Description), "");
    DestroyWindow(dialog);
}

}  // namespace
}  // namespace quorvel::testing
