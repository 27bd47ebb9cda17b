// Start-up, the routing of the main window's messages, and shutdown.

#include "ui/app_shell.h"
#include "resources/resource.h"
#include "tests/ui/main_window.h"

namespace quorvel::testing {
namespace {

using AppShell = MainWindow;

// The main window is gone and the message loop would end with exit code 0.
::testing::AssertionResult endedWithCode0(HWND window) {
    if (IsWindow(window)) {
        return ::testing::AssertionFailure() << "the main window is still there";
    }
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            return message.wParam == 0
                       ? ::testing::AssertionSuccess()
                       : ::testing::AssertionFailure() << "exit code " << message.wParam;
        }
        DispatchMessageA(&message);
    }
    return ::testing::AssertionFailure() << "no quit message";
}

TEST_F(AppShell, exit_command_ends_the_program_with_code_0) {
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(ID_OPTIONS_EXIT, 0), 0);
    EXPECT_TRUE(endedWithCode0(window));
}

TEST_F(AppShell, close_box_ends_the_program_with_code_0) {
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(endedWithCode0(window));
}

TEST_F(AppShell, a_class_that_cannot_be_registered_is_reported_and_nothing_is_created) {
    // The fixture registered the class already, so registering it again fails.
    EXPECT_EQ(WinMain(GetModuleHandleA(nullptr), nullptr, nullptr, SW_SHOW), 0);
    EXPECT_EQ(takeMessageBoxTexts(), std::vector<std::string>{"Couldn't register Main Dialog"});
    EXPECT_EQ(appState.mainDialog, window);
}

TEST_F(AppShell, commands_without_a_handler_change_nothing) {
    click(IDC_TAX_PAID);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(40999, 0), 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_FALSE(checked(IDC_TAX_PAID));
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(shows("", ""));
}

}  // namespace
}  // namespace quorvel::testing
