#pragma once

// Reading the bet slip out of the main dialog, and settling it.

#include "engine/bet_slip.h"
#include "engine/settle_amounts.h"
#include "engine/settlement.h"
#include "platform/win32.h"
#include "ui/app_state.h"

namespace quorvel {

// The mode named by the current item of the "Each Way" list; Win when none.
EachWayMode readEachWayMode(HWND dialog);

// The stake box's first 7 characters as a decimal number; an empty box is
// filled with "10" and reads 10.
int readUnitStake(HWND dialog);

// The leg of selection row 1..6 as its lists and its "Odds-on" box show it:
// a list with no current item reads as "Lost", a price of 0 and no Rule 4.
Leg readLeg(HWND dialog, int row);

// The slip the main dialog shows now and "Tax Paid", with the preferences of
// `app`, read as "Settle" reads them but without filling an empty stake box.
SettlementInput readSlip(const AppState& app, HWND dialog, int selectionCount);

// Whether two slips settle alike: the same preferences, "Tax Paid", bet,
// mode, stake and legs.
bool sameSlip(const SettlementInput& a, const SettlementInput& b);

struct SlipSettlement {
    SettlementInput input;  // the preferences, "Tax Paid" and the slip as read
    SettlementDisplay display;
};

// Reads the slip and "Tax Paid", settles them with the preferences of `app`,
// and writes the total stake and the returns into their boxes. The observer,
// when given, is told of every line of that one settlement.
SlipSettlement settleSlip(const AppState& app, HWND dialog, int selectionCount,
                          const SettlementObserver* observer = nullptr);

}  // namespace quorvel
