#pragma once

// The slip as a person reads it, in the words the working and quorvel-settle
// share. Windows-1252 ("\xA3" is the pound sign).

#include <string>

#include "engine/bet_slip.h"
#include "engine/preferences.h"

namespace quorvel {

// What a leg shows. Only a won or placed leg shows its price and Rule 4, and
// its place terms only each way; what is not shown is empty.
struct LegTexts {
    const char* result;      // "Won", "Lost", "Non-Runner", "Place"
    std::string price;       // "6/4", "6/4 odds-on"
    std::string rule4;       // "15p per \xA3"; empty when there is none
    const char* placeTerms;  // "1/5", "1/4", "Win Only"
};
LegTexts legTexts(const Leg& leg, EachWayMode mode);

// "Yankee", or "No bet chosen" when the slip's bet has no lines.
std::string betText(const BetSlip& slip);

// "10p per bet", with the stake as it is settled: "-3" as 0p.
std::string stakeText(const BetSlip& slip);

// "(tax rate 9%)"
std::string taxRateText(const Preferences& preferences);

// "Yankee, 10p per bet, Win, tax paid (tax rate 9%)"
std::string slipSummary(const BetSlip& slip, bool taxPaid, const Preferences& preferences);

}  // namespace quorvel
