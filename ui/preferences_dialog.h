#pragma once

#include "platform/win32.h"

namespace quorvel {

// The Preferences dialog: the tax rate and the Lucky 15, 31 and 63
// consolation odds and all-winner bonuses. lParam of WM_INITDIALOG is the
// address of the AppState whose preferences it shows and stores.
INT_PTR CALLBACK preferencesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quorvel
