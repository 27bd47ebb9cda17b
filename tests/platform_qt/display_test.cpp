// What the program does to the core shows on the widgets, where the
// template puts them.

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/core/dialog_units.h"
#include "platform/qt/dialog_units.h"
#include "tests/platform_qt/qt_test_support.h"

namespace quorvel::testing {
using namespace platform;
using namespace platform::qt;
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
    pump();  // a list's widget takes its items when the program waits
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

// Dialog units become pixels from the template font, as the platform's
// dialog manager computes them.
TEST_F(ShowsCore, controls_sit_where_the_templates_dialog_units_put_them) {
    // The template's font size in the desktop's face; the units worked out
    // here from the font the client area shows.
    const QFont font = view().clientOf(dialog)->font();
    EXPECT_EQ(font.family(), QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    EXPECT_EQ(font.pointSize(), 8);
    const QFontMetrics metrics(font);
    const int unitX = averageCharacterWidth(metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")));
    const auto px = [&](int x, int y, int cx, int cy) {
        const Rect r = dialogUnitsToPixels(Rect{x, y, cx, cy}, unitX, metrics.height());
        return QRect(r.x, r.y, r.cx, r.cy);
    };
    EXPECT_EQ(view().clientOf(dialog)->size(), px(0, 0, 200, 150).size());
    EXPECT_EQ(view().widgetOf(item(IDOK))->geometry(), px(30, 130, 50, 14));
    EXPECT_EQ(view().widgetOf(item(IDC_CENTRED))->geometry(), px(105, 50, 88, 8));

    // A drop-down list's template height includes the dropped-down part.
    const auto* list = widget<QComboBox>(IDC_LIST);
    const QRect full = px(7, 80, 60, 60);
    EXPECT_EQ(list->geometry(), QRect(full.topLeft(), QSize(full.width(), list->height())));
    EXPECT_EQ(list->maxVisibleItems(),
              (full.height() - list->height()) / list->view()->sizeHintForRow(0));

    // The arrows take their width from the buddy's right edge, over its border.
    const QRect buddy = px(135, 80, 40, 14);
    EXPECT_EQ(view().widgetOf(item(IDC_COUNT))->geometry(), buddy.adjusted(0, 0, -kUpDownWidth, 0));
    EXPECT_EQ(view().widgetOf(item(IDC_COUNT_ARROWS))->geometry(),
              QRect(buddy.right() + 1 - kUpDownWidth - kUpDownBuddyOverlap, buddy.top(),
                    kUpDownWidth, buddy.height()));

    // An icon shows at the desktop's icon size.
    const auto* picture = widget<QLabel>(IDC_PICTURE);
    const int side = picture->style()->pixelMetric(QStyle::PM_LargeIconSize);
    EXPECT_EQ(picture->geometry(), QRect(px(7, 100, 0, 0).topLeft(), QSize(side, side)));
    EXPECT_FALSE(picture->pixmap().isNull());
}

}  // namespace
}  // namespace quorvel::testing
