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

// Every figure a settlement goes through from the lines' total to the two
// amounts, as it used them. Returns in hundredths of a penny, stakes in pence.
struct SettlementSteps {
    Settled settled;  // the gross returns, the lines' total, the bonus and the consolation
    int stakePerBet;  // as settled: a negative stake as 0
    bool taxPaid;     // with the stake; otherwise the tax came off the returns
    int taxRatePercent;
    int bonusPercent;        // the Lucky bonus when settled.bonusFactor is not 0
    int consolationOdds;     // the Lucky consolation when settled.consolationRow is not 0
    double returnsLessTax;   // (2 - tax factor) × gross returns, tax not paid; else the gross
    double returnsWhole;     // the above made whole to the hundredth of a penny
    double returnsPence;     // "Returns" in whole pence
    double stakePence;       // bets × stake per bet, made whole
    double stakeWithTax;     // stake × tax factor, tax paid; else the stake
    double totalStakePence;  // "Total stake" in whole pence
};

// Settles the slip. A negative unit stake settles as 0. Allocates nothing.
SettlementDisplay settleAmounts(const SettlementInput& input,
                                const SettlementObserver* observer = nullptr);

// C-style decimal reading of a typed number: leading white space, an optional
// sign, digits up to the first non-digit; no digits gives 0. Saturates instead
// of overflowing.
int decimalValue(std::string_view text);

}  // namespace quorvel
