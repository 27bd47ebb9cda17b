#pragma once

// The application shell: the one application object, the main window class
// and the window procedure that routes the main dialog's messages.

#include "platform/win32.h"
#include "ui/app_state.h"

namespace quorvel {

// The one application object: static, zero-filled at process start.
extern AppState appState;

// Posted by onMainCreate; handled once the main dialog's controls exist.
inline constexpr UINT initMainDialogMessage = WM_USER + 1;

inline constexpr char kMainClassName[] = "Quorvel for Windows";

// Registers the main window class; 0 when registration fails.
ATOM registerMainClass(HINSTANCE instance);

// Creates the main dialog from its template (hidden); nullptr on failure.
HWND createMainDialog(HINSTANCE instance);

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Start values of the application object, set while the main window is created.
void onMainCreate(const CREATESTRUCTA& creation);

}  // namespace quorvel

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showState);
