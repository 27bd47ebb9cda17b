#pragma once

#include "platform/win32.h"

namespace quorvel {

// The Place Odds Calculator: the each-way place terms for a number of runners.
INT_PTR CALLBACK placeOddsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quorvel
