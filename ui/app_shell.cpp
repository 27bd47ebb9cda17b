#include "ui/app_shell.h"

#include "resources/resource.h"
#include "ui/help.h"
#include "ui/kept_preferences.h"
#include "ui/main_dialog.h"
#include "ui/working_dialog.h"

namespace quorvel {

AppState appState;

ATOM registerMainClass(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.style = 0;
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_QUORVEL));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    // Created once and kept for the life of the process, like the class.
    windowClass.hbrBackground = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDR_MAIN_MENU);
    windowClass.lpszClassName = kMainClassName;
    return RegisterClassA(&windowClass);
}

HWND createMainDialog(HINSTANCE instance) {
    // The template names the class, so mainWindowProc handles every message.
    return CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, nullptr, 0);
}

void onMainCreate(const CREATESTRUCTA& creation) {
    appState.placeListed = 0;
    appState.preferences = startPreferences();
    loadKeptPreferences(appState);
    appState.selectionCount = 1;
    appState.instance = creation.hInstance;
    PostMessageA(appState.mainDialog, initMainDialogMessage, 0, 0);
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            appState.mainDialog = window;
            onMainCreate(*reinterpret_cast<const CREATESTRUCTA*>(lParam));
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_CLOSE:
            DestroyWindow(appState.mainDialog);
            return 0;
        case WM_COMMAND: {
            const LRESULT result = onMainCommand(wParam, lParam);
            // Any control the user changed, or the preferences, may make the
            // slip differ from the one settled.
            if (lParam != 0 || LOWORD(wParam) == ID_OPTIONS_PREFERENCES) {
                checkSlipAgainstWorking(appState, window);
            }
            return result;
        }
        case WM_CTLCOLORSTATIC:
            if (const HBRUSH brush =
                    amountColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
                return reinterpret_cast<LRESULT>(brush);
            }
            return DefDlgProcA(window, message, wParam, lParam);
        case WM_HELP:
            openGuide(window, GuideSection::MainWindow);
            return TRUE;
        case initMainDialogMessage:
            initMainDialog();
            return 0;
        default:
            return DefDlgProcA(window, message, wParam, lParam);
    }
}

}  // namespace quorvel

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int showState) {
    using namespace quorvel;
    if (registerMainClass(instance) == 0) {
        MessageBoxA(nullptr, "Couldn't register Main Dialog", nullptr, MB_OK | MB_ICONWARNING);
        return 0;
    }
    HWND dialog = createMainDialog(instance);
    if (dialog == nullptr) {
        MessageBoxA(nullptr, "Couldn't create Main Dialog", nullptr, MB_OK | MB_ICONWARNING);
        return 0;
    }
    ShowWindow(dialog, showState);

    MSG message{};
    // GetMessageA gives -1 on failure; that ends the loop rather than spinning on it.
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return static_cast<int>(message.wParam);
}
