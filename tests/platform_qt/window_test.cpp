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

}  // namespace
}  // namespace quorvel::testing
