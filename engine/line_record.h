#pragma once

// Keeping every line of a settlement as it is settled, for showing the
// working afterwards (the window's "Working" dialog, quorvel-settle --explain).

#include <vector>

#include "engine/settlement.h"

namespace quorvel {

struct LineRecord {
    std::vector<LineReport> lines;  // in settlement order
    double bonusFactor = 0.0;       // the all-winner bonus applied, 0 when none was
};

// Empties `record` and gives the observer that fills it. The record must
// outlive the settlement the observer is passed to.
SettlementObserver recordLines(LineRecord& record);

}  // namespace quorvel
