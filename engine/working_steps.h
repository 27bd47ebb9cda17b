#pragma once

// The steps from the lines of a settlement to its two amounts, laid out so
// that a person adding them by hand arrives at both: each figure is one the
// settlement used (SettlementSteps), only written out. Windows-1252.

#include <string>
#include <vector>

#include "engine/settle_amounts.h"

namespace quorvel {

struct WorkingStep {
    const char* key;     // the step's name in JSON: "linesTotal", "taxDeducted"
    std::string text;    // what was done: "All-winner bonus 10%"
    std::string change;  // what it added or took off: "+\xA3" "0.1100"; empty for a first figure
    std::string amount;  // the amount after it
};

struct WorkingSteps {
    std::vector<WorkingStep> returns;  // from the lines' total to "Returns"
    std::vector<WorkingStep> stake;    // from the bets to "Total stake"
    std::string note;                  // the consolation, when a lone winner was paid it
};

// `shown` is what the settlement displayed, which the last step of each chain ends on.
WorkingSteps workingSteps(const SettlementSteps& steps, const SettlementDisplay& shown);

// Pounds from hundredths of a penny, to the hundredth of a penny or finer
// where the amount has a fraction of one: "\xA3" "0.1850", "\xA3" "1.35795".
std::string exactAmountText(double hundredthsOfPenny);

}  // namespace quorvel
