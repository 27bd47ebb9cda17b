// A small dialog application, built the way the program is (a window class
// named by its template, the menu and icon from the class, a message loop
// with dialog keyboard handling), run from start to quit.

#include <gtest/gtest-spi.h>

#include <string>
#include <vector>

#include "tests/platform/test_dialogs.h"

namespace quorvel::testing {
namespace {

constexpr UINT kInitialise = WM_USER + 1;

HWND mainWindow;
std::vector<std::string> events;  // what the main window went through

LRESULT CALLBACK applicationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            mainWindow = window;
            events.push_back("create");
            PostMessageA(window, kInitialise, 0, 0);
            return 0;
        case kInitialise:
            events.push_back(IsWindowVisible(window) ? "initialise shown" : "initialise hidden");
            SetDlgItemTextA(window, IDC_ANSWER, "ready");
            return 0;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_ASK:
                case ID_FILE_ASK: {
                    const INT_PTR result = DialogBoxParamA(
                        instance(), MAKEINTRESOURCEA(IDD_CONTROLS), window, recordingDialogProc, 0);
                    SetDlgItemTextA(window, IDC_ANSWER, result == IDOK ? "accepted" : "cancelled");
                    return 0;
                }
                case IDC_WARN:
                    MessageBoxA(window, "Careful", nullptr, MB_ICONWARNING);
                    return 0;
                case ID_FILE_EXIT:
                    SendMessageA(window, WM_CLOSE, 0, 0);
                    return 0;
                default:
                    return DefDlgProcA(window, message, wParam, lParam);
            }
        case WM_CLOSE:
            events.push_back("close");
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            events.push_back("destroy");
            PostQuitMessage(0);
            return 0;
        default:
            return DefDlgProcA(window, message, wParam, lParam);
    }
}

// The application's entry: what WinMain does in the program.
int runApplication() {
    static const ATOM registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = applicationWindowProc;
        windowClass.cbWndExtra = DLGWINDOWEXTRA;
        windowClass.hInstance = instance();
        windowClass.hIcon = LoadIconA(instance(), MAKEINTRESOURCEA(IDI_TEST));
        windowClass.lpszMenuName = MAKEINTRESOURCEA(IDR_TEST_MENU);
        windowClass.lpszClassName = "Quorvel Test Application";
        return RegisterClassA(&windowClass);
    }();
    events.clear();
    const HWND window =
        CreateDialogParamA(instance(), MAKEINTRESOURCEA(IDD_APPLICATION), nullptr, nullptr, 0);
    if (registered == 0 || window == nullptr) {
        return -2;
    }
    ShowWindow(window, SW_SHOWDEFAULT);
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0)) {
        if (!IsDialogMessageA(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

std::string answer() {
    char text[32] = {};
    GetDlgItemTextA(mainWindow, IDC_ANSWER, text, sizeof text);
    return text;
}
HWND control(int id) {
    return GetDlgItem(mainWindow, id);
}
bool choose(int command) {
    return chooseMenuItem(mainWindow, command);
}

using ApplicationTest = WindowTest;

TEST_F(ApplicationTest, runs_from_start_to_quit_through_its_keys_buttons_and_menu) {
    expectMessageBox("Careful", IDOK);
    std::string shownAtStart;
    HWND modal = nullptr;
    whenIdle([&] {
        shownAtStart = answer();
        pressKey(VK_RETURN);  // the default button, Ask
    });
    whenIdle([] { pressKey(VK_ESCAPE); });
    whenIdle([] {
        EXPECT_EQ(answer(), "cancelled");
        EXPECT_EQ(GetFocus(), control(IDC_ASK)) << "the focus is back on the owner";
        EXPECT_FALSE(choose(ID_HELP_ABOUT)) << "grayed";
        EXPECT_FALSE(choose(12345));
        click(control(IDC_WARN));
    });
    whenIdle([] { EXPECT_TRUE(choose(ID_FILE_ASK)); });
    whenIdle([&] {
        modal = GetParent(GetFocus());
        EXPECT_FALSE(choose(ID_FILE_EXIT)) << "the owner is disabled";
        click(GetDlgItem(modal, IDOK));
    });
    whenIdle([&] {
        EXPECT_EQ(answer(), "accepted");
        EXPECT_FALSE(IsWindow(modal));
        EXPECT_TRUE(choose(ID_FILE_EXIT));
    });
    EXPECT_EQ(runApplication(), 0);
    EXPECT_EQ(shownAtStart, "ready");
    const std::vector<std::string> expected = {"create", "initialise shown", "close", "destroy"};
    EXPECT_EQ(events, expected);
    EXPECT_TRUE(openWindows().empty());
    ASSERT_EQ(messageBoxesSeen().size(), 1u);
    EXPECT_EQ(messageBoxesSeen()[0].owner, mainWindow);
    EXPECT_EQ(messageBoxesSeen()[0].caption, "Error");
    EXPECT_FALSE(messageBoxesSeen()[0].ownerWasEnabled);
}

TEST_F(ApplicationTest, a_loop_waiting_with_no_step_left_fails_the_test_and_quits) {
    static int result;
    EXPECT_NONFATAL_FAILURE(result = runApplication(), "no next step");
    EXPECT_EQ(result, -1);
    EXPECT_TRUE(IsWindow(mainWindow)) << "the loop ended without closing the window";
    DestroyWindow(mainWindow);
}

}  // namespace
}  // namespace quorvel::testing
