#pragma once

// The three settlement modes. Each settles every line of the bet type in
// canonical order, makes each line whole with roundPence and adds it to the
// total, applying the Lucky rules for "Lucky 15", "Lucky 31" and "Lucky 63".
// Amounts are hundredths of a penny; the result is the gross returns.

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

// Called once per line as it is added to the total, and once with the factor
// when an all-winner bonus multiplies the total. Either may be null.
struct SettlementObserver {
    void* context;
    void (*onLine)(void* context, const LineReport& report);
    void (*onBonus)(void* context, double factor);
};

using Legs = std::array<Leg, kMaxSelections>;

// The legs may be reordered and leg 1's price raised by the Lucky rules.
double settleWin(const SettlementTerms& settlement, int betIndex, int& numberOfBets,
                 int selectionCount, Legs& legs, double stake,
                 const SettlementObserver* observer = nullptr);
double settleEd(const SettlementTerms& settlement, int betIndex, int& numberOfBets,
                int selectionCount, Legs& legs, double stake,
                const SettlementObserver* observer = nullptr);
double settleWwpp(const SettlementTerms& settlement, int betIndex, int& numberOfBets,
                  int selectionCount, Legs& legs, double stake,
                  const SettlementObserver* observer = nullptr);

// The same settlement in any mode with every line worked out on its own, leg
// by leg, through the operations of leg_operations.h. The three modes above
// work the lines of an ordinary slip out together by leg set (leg_sets.h);
// this plain form is what that is checked against.
double settleLineByLine(EachWayMode mode, const SettlementTerms& settlement, int betIndex,
                        int& numberOfBets, int selectionCount, Legs& legs, double stake,
                        const SettlementObserver* observer = nullptr);

}  // namespace quorvel
