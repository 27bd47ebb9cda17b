// Start-up, the routing of the main window's messages, and shutdown.

#include "resources/resource.h"
#include "tests/ui/main_window.h"
#include "ui/app_shell.h"
#include "ui/preferences_dialog.h"

namespace quorvel::testing {
namespace {

using AppShell = MainWindow;

// The message that ends the program's loop, if it was posted.
bool quitPosted(int& exitCode) {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            exitCode = static_cast<int>(message.wParam);
            return true;
        }
        DispatchMessageA(&message);
    }
    return false;
}

::testing::AssertionResult endsWithCode0(HWND window) {
    if (IsWindow(window)) {
        return ::testing::AssertionFailure() << "the main window is still there";
    }
    int exitCode = -1;
    if (!quitPosted(exitCode)) {
        return ::testing::AssertionFailure() << "no quit message";
    }
    if (exitCode != 0) {
        return ::testing::AssertionFailure() << "exit code " << exitCode;
    }
    return ::testing::AssertionSuccess();
}

TEST_F(AppShell, exit_command_ends_the_program_with_code_0) {
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(ID_OPTIONS_EXIT, 0), 0);
    EXPECT_TRUE(endsWithCode0(window));
}

TEST_F(AppShell, close_box_ends_the_program_with_code_0) {
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(endsWithCode0(window));
}

TEST_F(AppShell, a_class_that_cannot_be_registered_is_reported_and_nothing_is_created) {
    // The fixture registered the class already, so a second registration fails.
    EXPECT_EQ(WinMain(programInstance(), nullptr, nullptr, SW_SHOW), 0);
    EXPECT_EQ(takeMessageBoxTexts(), std::vector<std::string>{"Couldn't register Main Dialog"});
    EXPECT_EQ(appState.mainDialog, window);
}

TEST_F(AppShell, every_new_main_window_starts_from_the_start_preferences) {
    DialogDriver preferences = openModeless(IDD_PREFERENCES, preferencesDialogProc,
                                            reinterpret_cast<LPARAM>(&appState));
    preferences.type(IDC_TAX_RATE, "0");
    preferences.type(IDC_L63_BONUS, "30");
    preferences.click(IDOK);
    ASSERT_TRUE(ended(preferences));

    DestroyWindow(window);
    runQueuedMessages(window);
    SetUp();
    preferences = openModeless(IDD_PREFERENCES, preferencesDialogProc,
                               reinterpret_cast<LPARAM>(&appState));
    EXPECT_EQ(preferences.text(IDC_TAX_RATE), "9");
    EXPECT_EQ(preferences.text(IDC_L63_BONUS), "10");
}

TEST_F(AppShell, commands_the_window_does_not_know_change_nothing) {
    click(IDC_TAX_PAID);  // the tick box has no handler of its own
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(40999, 0), 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_FALSE(checked(IDC_TAX_PAID));
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(text(IDC_RETURNS), "");
}

}  // namespace
}  // namespace quorvel::testing
