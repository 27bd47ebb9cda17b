#pragma once

// "Show Working...": the last settled slip line by line, in a modal dialog.

#include "platform/win32.h"
#include "ui/app_state.h"

namespace quorvel {

// Settles the main dialog's slip, as "Settle" does, recording every line of
// that one settlement, and makes "Show Working..." available.
void settleRecordingWorking(AppState& app, HWND mainDialog);

// Compares the slip on screen, with the preferences of `app`, with the one
// last settled, and shows "Total stake" and "Returns" out of date while they
// differ. Nothing while no slip is settled.
void checkSlipAgainstWorking(const AppState& app, HWND mainDialog);

// Whether the two amounts on screen belong to a slip that has since changed.
bool amountsOutOfDate();

// The main window's answer to WM_CTLCOLORSTATIC: the colours of an out-of-date
// amount box, drawn like a disabled box's text; nullptr for any other control.
HBRUSH amountColours(HDC dc, HWND control);

// Forgets the working and grays "Show Working..." again, as "Clear" does.
void forgetWorking(HWND mainDialog);

// Opens the "Working" dialog for the last settled slip; nothing when none is.
void showWorking(HINSTANCE instance, HWND owner);

INT_PTR CALLBACK workingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quorvel
