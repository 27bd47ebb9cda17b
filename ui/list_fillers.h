#pragma once

// Fill the main dialog's drop-down lists in their fixed order and select the
// item each list starts with.

#include "platform/win32.h"

namespace quorvel {

void fillResultList(HWND dialog, int listId);      // "Lost" selected
void fillPriceList(HWND dialog, int listId);       // "Evens" selected
void fillRule4List(HWND dialog, int listId);       // "None" selected
void fillPlaceTermsList(HWND dialog, int listId);  // "1/5" selected

// The bet types for `selectionCount` selections, that count's default
// selected; left empty for a count outside 1..6.
void fillBetList(HWND dialog, int selectionCount);

}  // namespace quorvel
