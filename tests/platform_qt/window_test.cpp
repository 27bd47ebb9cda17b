// Top-level windows: the application window's frame, menu and close box,
// a modal dialog over it, and the message loop's wait.

#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "tests/platform_qt/qt_test_support.h"

namespace quorvel::platform::qt::testing {
namespace {

class ApplicationWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        window = createApplicationWindow();
        ASSERT_NE(window, nullptr);
        commands().clear();
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

TEST_F(ApplicationWindow, has_caption_menu_icon_and_a_fixed_centred_frame) {
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
}

TEST_F(ApplicationWindow, alt_mnemonic_opens_the_menu_and_the_close_box_asks_the_core) {
    QApplication::setActiveWindow(frame());
    QTest::keyClick(frame(), Qt::Key_F, Qt::AltModifier);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QTest::keyClick(menu, Qt::Key_X);
    pump();
    frame()->close();  // a dialog's close box is its Cancel
    pump();
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(commands(), (std::vector<Command>{{ID_FILE_EXIT, 0}, {IDCANCEL, BN_CLICKED}}));
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

TEST_F(ApplicationWindow, get_message_sleeps_in_qt_until_a_key_arrives) {
    SetFocus(GetDlgItem(window, IDC_APP_RUN));
    QTimer::singleShot(50, frame(),
                       [] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); });
    MSG message{};
    ASSERT_TRUE(GetMessageA(&message, nullptr, 0, 0));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(message.wParam, static_cast<WPARAM>(VK_TAB));
    pump();
}

}  // namespace
}  // namespace quorvel::platform::qt::testing
