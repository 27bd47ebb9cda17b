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

struct Application {
    HWND window = nullptr;
    std::vector<std::string> events;
    std::string name;
};

Application& application() {
    static Application state;
    return state;
}

INT_PTR CALLBACK askDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        SendDlgItemMessageA(dialog, IDC_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Win"));
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        char name[32] = {};
        GetDlgItemTextA(dialog, IDC_NAME, name, sizeof name);
        application().name = name;
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

LRESULT CALLBACK applicationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Application& app = application();
    switch (message) {
        case WM_CREATE:
            app.window = window;
            app.events.push_back("create");
            PostMessageA(window, kInitialise, 0, 0);
            return 0;
        case kInitialise:
            app.events.push_back(IsWindowVisible(window) ? "initialise shown"
                                                         : "initialise hidden");
            SetDlgItemTextA(window, IDC_ANSWER, "ready");
            return 0;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_ASK:
                case ID_FILE_ASK: {
                    const INT_PTR result =
                        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CONTROLS),
                                        window, askDialogProc, 0);
                    SetDlgItemTextA(window, IDC_ANSWER,
                                    result == IDOK ? app.name.c_str() : "cancelled");
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
            app.events.push_back("close");
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            app.events.push_back("destroy");
            PostQuitMessage(0);
            return 0;
        default:
            return DefDlgProcA(window, message, wParam, lParam);
    }
}

ATOM registerApplicationClass(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = applicationWindowProc;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TEST));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDR_TEST_MENU);
    windowClass.lpszClassName = "Quorvel Test Application";
    return RegisterClassA(&windowClass);
}

// The application's entry: what WinMain does in the program.
int runApplication() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    static const ATOM registered = registerApplicationClass(instance);
    if (registered == 0) {
        return -2;
    }
    const HWND window =
        CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_APPLICATION), nullptr, nullptr, 0);
    if (window == nullptr) {
        return -3;
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

class ApplicationTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        application() = Application{};
    }

    std::string answer() {
        char text[32] = {};
        GetDlgItemTextA(application().window, IDC_ANSWER, text, sizeof text);
        return text;
    }

    HWND control(int id) { return GetDlgItem(application().window, id); }
};

TEST_F(ApplicationTest, runs_from_start_to_quit_through_its_menu) {
    std::string shownAtStart;
    HWND modal = nullptr;
    whenIdle([&] {
        shownAtStart = answer();
        EXPECT_TRUE(chooseMenuItem(application().window, ID_FILE_ASK));
    });
    whenIdle([&] {
        modal = GetParent(GetFocus());
        EXPECT_FALSE(chooseMenuItem(application().window, ID_FILE_EXIT)) << "the owner is disabled";
        typeText(GetDlgItem(modal, IDC_NAME), "Punter");
        click(GetDlgItem(modal, IDOK));
    });
    whenIdle([&] {
        EXPECT_EQ(answer(), "Punter");
        EXPECT_FALSE(IsWindow(modal));
        EXPECT_TRUE(chooseMenuItem(application().window, ID_FILE_EXIT));
    });
    EXPECT_EQ(runApplication(), 0);
    EXPECT_EQ(shownAtStart, "ready");
    const std::vector<std::string> expected = {"create", "initialise shown", "close", "destroy"};
    EXPECT_EQ(application().events, expected);
    EXPECT_TRUE(openWindows().empty());
}

TEST_F(ApplicationTest, enter_presses_the_default_button_and_escape_cancels_the_dialog) {
    whenIdle([] { pressKey(VK_RETURN); });
    whenIdle([] { pressKey(VK_ESCAPE); });
    whenIdle([this] {
        EXPECT_EQ(answer(), "cancelled");
        EXPECT_EQ(GetFocus(), control(IDC_ASK)) << "the focus is back on the owner";
        chooseMenuItem(application().window, ID_FILE_EXIT);
    });
    EXPECT_EQ(runApplication(), 0);
}

TEST_F(ApplicationTest, a_grayed_menu_item_cannot_be_chosen_and_a_warning_is_owned_by_the_window) {
    expectMessageBox("Careful", IDOK);
    whenIdle([this] {
        EXPECT_FALSE(chooseMenuItem(application().window, ID_HELP_ABOUT));
        EXPECT_FALSE(chooseMenuItem(application().window, 12345));
        click(control(IDC_WARN));
    });
    whenIdle([] { chooseMenuItem(application().window, ID_FILE_EXIT); });
    EXPECT_EQ(runApplication(), 0);
    ASSERT_EQ(messageBoxesSeen().size(), 1u);
    EXPECT_EQ(messageBoxesSeen()[0].owner, application().window);
    EXPECT_EQ(messageBoxesSeen()[0].caption, "Error");
}

TEST_F(ApplicationTest, a_loop_waiting_with_no_step_left_fails_the_test_and_quits) {
    static int result;
    EXPECT_NONFATAL_FAILURE(result = runApplication(), "no next step");
    EXPECT_EQ(result, -1);
    EXPECT_TRUE(IsWindow(application().window)) << "the loop ended without closing the window";
    DestroyWindow(application().window);
}

}  // namespace
}  // namespace quorvel::testing
