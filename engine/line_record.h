#pragma once

// Keeping every line and step of a settlement as it is settled, for showing
// the working afterwards (the window's "Working" dialog, quorvel-settle --explain).

#include <vector>

#include "engine/settle_amounts.h"
#include "engine/settlement.h"

namespace quorvel {

struct LineRecord {
    std::vector<LineReport> lines;  // in settlement order
    SettlementSteps steps{};        // from the lines' total to the two amounts
};

// Empties `record` and gives the observer that fills it. The record must
// outlive the settlement the observer is passed to.
SettlementObserver recordLines(LineRecord& record);

}  // namespace quorvel
