// Top-level windows: the application window's frame, menu and close box,
// modal dialogs over it, the message loop's wait, and screenshots.

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
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

    HWND window = nullptr;
};

TEST_F(ApplicationWindow, has_its_caption_menu_icon_and_a_fixed_centred_frame) {
    EXPECT_EQ(frame()->windowTitle(), "Qt Test Application");
    const QMenuBar* bar = frame()->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), 2);
    EXPECT_EQ(bar->actions()[0]->text(), "&File");
    const QMenu* help = bar->actions()[1]->menu();
    ASSERT_NE(help, nullptr);
    EXPECT_FALSE(help->actions()[0]->isEnabled());  // GRAYED
    EXPECT_EQ(frame()->windowIcon().availableSizes().size(), 2);
    EXPECT_EQ(frame()->minimumSize(), frame()->maximumSize());
    const Qt::WindowFlags flags = frame()->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((frame()->geometry().center() - screen.center()).manhattanLength(), 3);
    // The client area sits under the menu bar.
    EXPECT_EQ(view().clientOf(window)->y(), bar->height());
}

TEST_F(ApplicationWindow, alt_and_a_mnemonic_open_the_menu_and_its_item_reaches_the_window) {
    QApplication::setActiveWindow(frame());
    QTest::keyClick(frame(), Qt::Key_F, Qt::AltModifier);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QTest::keyClick(menu, Qt::Key_X);
    pump();
    EXPECT_EQ(commands(), (std::vector<Command>{{ID_FILE_EXIT, 0}}));
}

TEST_F(ApplicationWindow, the_close_box_asks_the_core_which_sends_cancel) {
    frame()->close();
    pump();
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(commands(), (std::vector<Command>{{IDCANCEL, BN_CLICKED}}));
}

TEST_F(ApplicationWindow, a_modal_dialog_blocks_its_owner_until_it_returns) {
    QWidget* run = view().widgetOf(GetDlgItem(window, IDC_APP_RUN));
    bool modalShown = false;
    whenIdle([&] {
        QWidget* modal = view().widgetOf(topLevelWindows().back());
        modalShown = modal->isVisible() && modal->windowModality() == Qt::WindowModal &&
                     modal->parentWidget() == frame();
        // A real click on the owner's button, as the desktop delivers it.
        QTest::mouseClick(frame()->windowHandle(), Qt::LeftButton, {}, centreInWindow(run));
        whenIdle([&] {
            QWidget* cancel = view().widgetOf(GetDlgItem(topLevelWindows().back(), IDCANCEL));
            QTest::mouseClick(cancel, Qt::LeftButton);
        });
    });
    const INT_PTR result = DialogBoxParamA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_QT_MODAL), window, testDialogProc, 0);
    EXPECT_TRUE(modalShown);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(commands(), (std::vector<Command>{{IDCANCEL, BN_CLICKED}}));
    EXPECT_TRUE(IsWindowEnabled(window));
    EXPECT_EQ(topLevelWindows(), std::vector<HWND>{window});
    // The owner takes clicks again.
    QTest::mouseClick(frame()->windowHandle(), Qt::LeftButton, {}, centreInWindow(run));
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

TEST(screenshots, of_each_test_window_are_saved_in_the_build_folder) {
    const HWND application = createApplicationWindow();
    const HWND controls = CreateDialogParamA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_QT_CONTROLS), nullptr, testDialogProc, 0);
    ShowWindow(controls, SW_SHOWNORMAL);
    SetDlgItemTextA(controls, IDC_NAME,
                    "Caf\xE9 \xA3"
                    "5");
    SetDlgItemTextA(controls, IDC_SHOWN, "Read-only text");
    CheckDlgButton(controls, IDC_TICK, BST_CHECKED);
    CheckRadioButton(controls, IDC_RED, IDC_BLUE, IDC_GREEN);
    pump();
    const QDir folder(QUORVEL_SCREENSHOT_DIR);
    EXPECT_TRUE(view().widgetOf(application)->grab().save(folder.filePath("qt-application.png")));
    EXPECT_TRUE(view().widgetOf(controls)->grab().save(folder.filePath("qt-controls.png")));
    bool saved = false;
    whenIdle([&] {
        const HWND modal = topLevelWindows().back();
        saved = view().widgetOf(modal)->grab().save(folder.filePath("qt-modal.png"));
        EndDialog(modal, IDOK);
    });
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_QT_MODAL), application,
                    testDialogProc, 0);
    EXPECT_TRUE(saved);
    DestroyWindow(controls);
    DestroyWindow(application);
    pump();
    commands().clear();
}

}  // namespace
}  // namespace quorvel::platform::qt::testing
