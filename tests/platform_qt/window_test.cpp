// Top-level windows: the application window's frame, menu and close box,
// and a modal dialog over it.

#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>

#include "tests/platform_qt/qt_test_support.h"

namespace quorvel::testing {
using namespace platform;
using namespace platform::qt;
namespace {

class ApplicationWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        // The window's class names its menu and icon; the dialog procedure
        // is reached through DefDlgProcA.
        static const ATOM registered = [] {
            WNDCLASSA windowClass{};
            windowClass.lpfnWndProc = DefDlgProcA;
            windowClass.cbWndExtra = DLGWINDOWEXTRA;
            windowClass.hInstance = GetModuleHandleA(nullptr);
            windowClass.hIcon = LoadIconA(windowClass.hInstance, MAKEINTRESOURCEA(IDI_QT_TEST));
            windowClass.hbrBackground = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
            windowClass.lpszMenuName = MAKEINTRESOURCEA(IDR_QT_MENU);
            windowClass.lpszClassName = "Quorvel Qt Test Application";
            return RegisterClassA(&windowClass);
        }();
        ASSERT_NE(registered, 0);
        window = showDialog(IDD_QT_APPLICATION);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        DestroyWindow(window);
        pump();
        commands().clear();
    }
    QWidget* frame() const { return view().widgetOf(window); }
    QPoint run() const {
        const QWidget* button = view().widgetOf(GetDlgItem(window, IDC_APP_RUN));
        return button->mapTo(frame(), button->rect().center());
    }

    HWND window = nullptr;
};

TEST_F(ApplicationWindow,
       has_caption_menu_icon_a_fixed_centred_frame_and_a_close_box_for_the_core) {
    EXPECT_EQ(frame()->windowTitle(), "Qt Test Application");
    const QMenuBar* bar = frame()->findChild<QMenuBar*>();
    ASSERT_EQ(bar->actions().size(), 2);
    EXPECT_EQ(bar->actions()[0]->text(), "&File");
    EXPECT_FALSE(bar->actions()[1]->menu()->actions()[0]->isEnabled());  // GRAYED
    EXPECT_EQ(view().clientOf(window)->y(), bar->height());
    EXPECT_EQ(frame()->windowIcon().availableSizes().size(), 2);
    EXPECT_EQ(frame()->minimumSize(), frame()->maximumSize());
    EXPECT_TRUE(frame()->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(frame()->windowFlags() & Qt::WindowMaximizeButtonHint);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((frame()->geometry().center() - screen.center()).manhattanLength(), 3);
    saveScreenshot(window, "qt-application.png");
    frame()->close();  // a dialog's close box is its Cancel
    pump();
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(commands(), (std::vector<Command>{{IDCANCEL, BN_CLICKED}}));
}

TEST_F(ApplicationWindow, a_modal_dialog_blocks_its_owner_until_it_returns) {
    bool modalShown = false;
    whenIdle([&] {
        const HWND modal = topLevelWindows().back();
        modalShown = view().widgetOf(modal)->isVisible() &&
                     view().widgetOf(modal)->parentWidget() == frame();
        saveScreenshot(modal, "qt-modal.png");
        // A click on the owner's button, as the desktop delivers it.
        QTest::mouseClick(frame()->windowHandle(), Qt::LeftButton, {}, run());
        whenIdle([] {
            QTest::mouseClick(view().widgetOf(GetDlgItem(topLevelWindows().back(), IDCANCEL)),
                              Qt::LeftButton);
        });
    });
    EXPECT_EQ(DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_QT_MODAL), window,
                              testDialogProc, 0),
              IDCANCEL);
    EXPECT_TRUE(modalShown);
    EXPECT_EQ(commands(), (std::vector<Command>{{IDCANCEL, BN_CLICKED}}));
    EXPECT_EQ(topLevelWindows(), std::vector<HWND>{window});
    QTest::mouseClick(frame()->windowHandle(), Qt::LeftButton, {}, run());
    pump();
    EXPECT_EQ(commands().back(), (Command{IDC_APP_RUN, BN_CLICKED}));
}

// A dialog with a sizing frame, whose OK button keeps to the bottom right
// corner as its procedure moves it.
INT_PTR CALLBACK sizableDialogProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_SIZE) {
        MoveWindow(GetDlgItem(dialog, IDOK), LOWORD(lParam) - 57, HIWORD(lParam) - 21, 50, 14,
                   TRUE);
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

class SizableDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_QT_SIZABLE),
                                    nullptr, sizableDialogProc, 0);
        ASSERT_NE(dialog, nullptr);
        ShowWindow(dialog, SW_SHOWNORMAL);
        pump();
    }
    void TearDown() override {
        DestroyWindow(dialog);
        pump();
    }
    QWidget* frame() const { return view().widgetOf(dialog); }
    QWidget* client() const { return view().clientOf(dialog); }
    QSize clientUnits() const {
        RECT r{};
        GetClientRect(dialog, &r);
        return QSize(r.right, r.bottom);
    }
    // The OK button's distance from the client area's right and bottom edges, in pixels.
    QPoint okFromCorner() const {
        const QRect ok = view().widgetOf(GetDlgItem(dialog, IDOK))->geometry();
        return QPoint(client()->width() - ok.right(), client()->height() - ok.bottom());
    }

    HWND dialog = nullptr;
};

TEST_F(SizableDialog, the_user_sizes_it_down_to_its_template_and_the_core_lays_it_out) {
    const QSize first = frame()->size();
    EXPECT_EQ(frame()->minimumSize(), first) << "no smaller than the template";
    EXPECT_NE(frame()->maximumSize(), first);
    const QSize units = clientUnits();
    const QPoint corner = okFromCorner();

    // A drag of the frame, in steps as the window manager reports them.
    for (const int step : {10, 40, 90}) {
        frame()->resize(first + QSize(step, step * 2 / 3));
    }
    pump();
    EXPECT_EQ(frame()->size(), first + QSize(90, 60)) << "the frame keeps the user's pixels";
    const BaseUnits base = view().baseUnitsOf(dialog);
    EXPECT_NEAR(clientUnits().width() - units.width(), 90 * 4.0 / base.x, 0.5);
    EXPECT_NEAR(clientUnits().height() - units.height(), 60 * 8.0 / base.y, 0.5);
    EXPECT_LE((okFromCorner() - corner).manhattanLength(), 2) << "the button followed the corner";
}

TEST_F(SizableDialog, follows_the_program_and_goes_back_when_the_core_refuses_the_user) {
    const QSize first = frame()->size();
    SetWindowPos(dialog, nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER);
    pump();
    const BaseUnits base = view().baseUnitsOf(dialog);
    EXPECT_EQ(client()->size(), toPixels(Rect{0, 0, 200, 100}, base).size());
    const QPoint corner = okFromCorner();

    // While a modal box keeps input from it, a drag of its frame is undone.
    EnableWindow(dialog, FALSE);
    const QSize taken = frame()->size();
    frame()->resize(first);
    pump();
    EXPECT_EQ(frame()->size(), taken);
    EXPECT_EQ(okFromCorner(), corner);
    EnableWindow(dialog, TRUE);
}

}  // namespace
}  // namespace quorvel::testing
