#pragma once

// The arithmetic of a settlement as the window shows it: from the slip to the
// number of bets and the texts of "Total stake" and "Returns".

#include <array>
#include <cstddef>
#include <string_view>

#include "engine/bet_slip.h"
#include "engine/preferences.h"
#include "engine/settlement.h"

namespace quorvel {

// Holds the longest amount the engine can produce ("£" and about 30 digits).
inline constexpr std::size_t kAmountTextSize = 48;

struct SettlementDisplay {
    int numberOfBets;
    std::array<char, kAmountTextSize> totalStake;  // "£%.2f", Windows-1252, terminated
    std::array<char, kAmountTextSize> returns;
};

// Writes "£%.2f" of `pounds`, Windows-1252, terminated: the same text as
// snprintf, without its cost for the amounts a slip settles to.
void formatPounds(std::array<char, kAmountTextSize>& text, double pounds);

// What a settlement needs.
struct SettlementInput {
    Preferences preferences;
    bool taxPaid;  // "Tax Paid": the tax was taken with the stake
    BetSlip slip;
};

// Settles the slip. A negative unit stake settles as 0. Allocates nothing.
SettlementDisplay settleAmounts(const SettlementInput& input,
                                const SettlementObserver* observer = nullptr);

// C-style decimal reading of a typed number: leading white space, an optional
// sign, digits up to the first non-digit; no digits gives 0. Saturates instead
// of overflowing.
int decimalValue(std::string_view text);

}  // namespace quorvel
