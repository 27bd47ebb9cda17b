#pragma once

// Settling a slip: every line of its bet type in canonical order, each made
// whole with roundPence and added to the total, with the Lucky rules for
// "Lucky 15", "Lucky 31" and "Lucky 63". Amounts are hundredths of a penny.

#include <array>

#include "engine/bet_slip.h"
#include "engine/catalogue.h"
#include "engine/settlement_terms.h"

namespace quorvel {

// One settled line, for a breakdown of the working.
struct LineReport {
    const BetLine* line;
    // For each leg of the line, the row (1..6) it was entered on. Differs from
    // line->legs only when a Lucky bet's lone winner was moved to the first slot.
    std::array<int, 6> rows;
    double roundedReturn;
};

struct SettlementSteps;

// Called once per line as it is added to the total, and once, by
// settleAmounts, with every step from the lines' total to the two amounts.
// Either may be null.
struct SettlementObserver {
    void* context;
    void (*onLine)(void* context, const LineReport& report);
    void (*onSteps)(void* context, const SettlementSteps& steps);
};

using Legs = std::array<Leg, kMaxSelections>;

// What a settlement hands back. `returns` is the gross: before any tax.
struct Settled {
    double returns;
    int numberOfBets;    // each-way lines count twice, once for each part
    double linesTotal;   // the lines' rounded returns added up, before any bonus
    double bonusFactor;  // the all-winner bonus the total was multiplied by; 0 when none
    // A Lucky bet's lone winner, whose price was multiplied by the consolation
    // odds: its row, 0 when there was none, and the price it was paid at.
    int consolationRow;
    double consolationPrice;
};

// The stake per line in whole pence as it is settled: a negative one as 0.
inline int settledUnitStake(const BetSlip& slip) {
    return slip.unitStake < 0 ? 0 : slip.unitStake;
}

// Settles the slip in its each-way mode. The lines of an ordinary slip are
// worked out together by leg set (leg_sets.h). Allocates nothing.
Settled settle(const SettlementTerms& terms, const BetSlip& slip,
               const SettlementObserver* observer = nullptr);

// The same settlement with every line worked out on its own, leg by leg,
// through the operations of leg_operations.h: what working by set is checked
// against.
Settled settleLineByLine(const SettlementTerms& terms, const BetSlip& slip,
                         const SettlementObserver* observer = nullptr);

}  // namespace quorvel
