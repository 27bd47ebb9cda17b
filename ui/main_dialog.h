#pragma once

// The main dialog: the bet slip on screen. These handlers keep its controls
// consistent with one another and hand "Settle" to the slip reader. They work
// on the application object's mainDialog.

#include "platform/win32.h"

namespace quorvel {

// Fills every list and presets every control; run once, after the controls exist.
void initMainDialog();

// The main dialog's WM_COMMAND: dispatches on the control or menu id only, so
// a list's handler runs for every notification the list sends.
LRESULT onMainCommand(WPARAM wParam, LPARAM lParam);

// A "No of Selections" button: n = 1..6.
void onSelectionCount(int n);

// The "Each Way" list: adds or removes "Place" in the six result lists.
LRESULT onEachWayChange(WPARAM wParam, LPARAM lParam);

// "Clear": back to an empty one-selection slip; the preferences stay.
void clearSlip();

// Enables the result lists of rows 1..n only, then brings every row into line.
void enableRows(int n);

// Enables row `row`'s price, "Odds-on", Rule 4 and place terms as its result asks.
void updateRow(int row);

}  // namespace quorvel
