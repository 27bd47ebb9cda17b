#pragma once

// A settled line and its parts as a person reads them. Texts are
// Windows-1252, like every text of the engine ("\xA3" is the pound sign).

#include <string>

#include "engine/settlement.h"

namespace quorvel {

// "single", "double", "treble", "4-fold" ... "6-fold", "stakes-about".
const char* lineKindName(const BetLine& line);

// The rows of a line's selections as entered, joined by `separator`: "1-2-4".
std::string lineRowsText(const LineReport& report, const char* separator);

// The same joined as the working shows them: "1-2-4", a stakes-about line "1>2".
std::string lineRowsText(const LineReport& report);

// A line's return in pounds to the hundredth of a penny: "\xA3" "0.3200".
std::string lineReturnText(double hundredthsOfPenny);

// A price as the lists show it ("6/4", or "6/4 odds-on" for 4/6); a price
// off the list, such as a consolation's multiplied one, as "N/1".
std::string priceName(double price);

// The shortest decimal text that reads back as the same number: "1.1".
std::string shortestNumberText(double value);

}  // namespace quorvel
