#pragma once

// Reading the bet slip out of the main dialog, and settling it.

#include "engine/app_state.h"
#include "engine/bet_slip.h"
#include "engine/settle_amounts.h"
#include "platform/win32.h"

namespace quorvel {

// The mode named by the current item of the "Each Way" list; Win when none.
EachWayMode readEachWayMode(HWND dialog);

// The stake box's first 7 characters as a decimal number; an empty box is
// filled with "10" and reads 10.
int readUnitStake(HWND dialog);

// Readers of selection row 1..6.
int readLegResult(HWND dialog, int row);  // a LegResult code
double readLegPrice(HWND dialog,
                    int row);         // decimal odds, inverted when "Odds-on"; 0.0 off the rows
int readRule4(HWND dialog, int row);  // pence per pound; 0 off the rows

struct SlipSettlement {
    BetSlip slip;  // as read from the dialog
    SettlementDisplay display;
};

// Reads the slip, records "Tax Paid" and the tax factor in `app`, and writes
// the total stake and the returns into their boxes. The observer, if given,
// hears every line of that one settlement.
SlipSettlement settleSlip(AppState& app, HWND dialog, int selectionCount,
                          const SettlementObserver* observer = nullptr);

}  // namespace quorvel
