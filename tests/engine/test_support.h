#pragma once

// Legs and settlement terms in few words.

#include "engine/bet_slip.h"
#include "engine/settlement.h"

namespace quorvel::testing {

inline Leg leg(int result, double price = 1.0, int rule4 = 0) {
    return Leg{result, price, price, rule4};
}

// Start preferences, with their 9 % tax.
inline SettlementTerms startTerms(bool taxPaid = false) {
    return settlementTerms(startPreferences(), taxPaid);
}

}  // namespace quorvel::testing
