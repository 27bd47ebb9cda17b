// Start-up, the routing of the main window's messages, and shutdown.

#include "ui/app_shell.h"
#include "resources/resource.h"
#include "tests/ui/main_window.h"

namespace quorvel::testing {
namespace {

using AppShell = MainWindow;

// The main window is gone and the message loop ends with exit code 0.
void expectEndedWithCode0(HWND window) {
    EXPECT_FALSE(IsWindow(window));
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) && message.message != WM_QUIT) {
    }
    EXPECT_EQ(message.message, UINT{WM_QUIT});
    EXPECT_EQ(message.wParam, 0u);
}

TEST_F(AppShell, exit_command_ends_the_program_with_code_0) {
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(ID_OPTIONS_EXIT, 0), 0);
    expectEndedWithCode0(window);
}

TEST_F(AppShell, close_box_ends_the_program_with_code_0) {
    SendMessageA(window, WM_CLOSE, 0, 0);
    expectEndedWithCode0(window);
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
        whenIdle([&, command = command, closeButton = closeButton] {
            const HWND dialog = openWindows().back();
            EXPECT_FALSE(IsWindowEnabled(window));
            if (command == ID_OPTIONS_PREFERENCES) {
                SetDlgItemTextA(dialog, IDC_TAX_RATE, "15");
            }
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

}  // namespace
}  // namespace quorvel::testing
