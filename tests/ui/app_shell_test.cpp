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
    expectMessageBox("Couldn't register Main Dialog");
    EXPECT_EQ(WinMain(GetModuleHandleA(nullptr), nullptr, nullptr, SW_SHOW), 0);
    EXPECT_EQ(messageBoxesSeen().back().owner, nullptr);
    EXPECT_EQ(messageBoxesSeen().back().caption, "Error");
    EXPECT_EQ(openWindows(), std::vector<HWND>{window});
}

TEST_F(AppShell, menu_commands_open_their_dialogs_modally_over_the_main_window) {
    const std::pair<int, int> commandAndCloseButton[] = {
        {ID_HELP_ABOUT, IDOK},
        {ID_OPTIONS_PLACE_ODDS, IDC_PLACE_ODDS_CLOSE},
        {ID_OPTIONS_PREFERENCES, IDOK},
    };
    for (const auto& [command, closeButton] : commandAndCloseButton) {
        whenIdle([&, closeButton = closeButton] {
            const HWND dialog = openWindows().back();
            EXPECT_FALSE(IsWindowEnabled(window));
            SetDlgItemTextA(dialog, IDC_TAX_RATE, "15");  // only Preferences has this box
            EXPECT_TRUE(quorvel::testing::click(GetDlgItem(dialog, closeButton)));
        });
        ASSERT_TRUE(chooseMenuItem(window, command));
        pumpMessages(window);
        EXPECT_TRUE(IsWindowEnabled(window)) << command;
        EXPECT_EQ(openWindows(), std::vector<HWND>{window}) << command;
    }
    choose(IDC_RESULT_1, "Won");
    type(IDC_STAKE, "100");
    settle();
    EXPECT_TRUE(shows(pounds("1.15"), pounds("2.00")));
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
