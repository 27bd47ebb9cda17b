#pragma once

// "Show Working...": the last settled slip line by line, in a modal dialog.

#include "platform/win32.h"
#include "ui/app_state.h"

namespace quorvel {

// Settles the main dialog's slip, as "Settle" does, recording every line of
// that one settlement, and makes "Show Working..." available.
void settleRecordingWorking(AppState& app, HWND mainDialog);

// Forgets the working and grays "Show Working..." again, as "Clear" does.
void forgetWorking(HWND mainDialog);

// Opens the "Working" dialog for the last settled slip; nothing when none is.
void showWorking(HINSTANCE instance, HWND owner);

INT_PTR CALLBACK workingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quorvel
