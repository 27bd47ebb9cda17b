#pragma once

// What every line of one settlement is worked out with.

#include "engine/preferences.h"

namespace quorvel {

// taxRatePercent × 0.01 + 1.0
inline double taxFactorFor(int taxRatePercent) {
    return static_cast<double>(taxRatePercent) * 0.01 + 1.0;
}

struct SettlementTerms {
    double taxFactor;  // taxFactorFor(preferences.taxRatePercent)
    bool taxPaid;      // with the stake; otherwise the tax comes off the returns
    Preferences preferences;
};

inline SettlementTerms settlementTerms(const Preferences& preferences, bool taxPaid) {
    return {taxFactorFor(preferences.taxRatePercent), taxPaid, preferences};
}

}  // namespace quorvel
