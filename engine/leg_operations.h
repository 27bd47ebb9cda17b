#pragma once

// Returns of one leg and of the three families of multiples. Amounts are in
// hundredths of a penny; nothing here is made whole except the non-runner
// refunds. The legs of a multiple are given in slip order.

#include <span>

#include "engine/bet_slip.h"
#include "engine/settlement_terms.h"

namespace quorvel {

double winReturn(const SettlementTerms& settlement, const Leg& leg, double stake);
double placeReturn(const SettlementTerms& settlement, const Leg& leg, double stake);
double eachWayReturn(const SettlementTerms& settlement, const Leg& leg, double stake);
// Moves the win carry through the leg's win part and the place carry through
// its place part; returns the sum of the two new carries.
double splitCarry(const SettlementTerms& settlement, const Leg& leg, double& winCarry,
                  double& placeCarry);

// 1 to 6 legs; non-runners are dropped before any arithmetic.
double winMultiple(const SettlementTerms& settlement, std::span<const Leg* const> legs,
                   double stake);
double edMultiple(const SettlementTerms& settlement, std::span<const Leg* const> legs,
                  double stake);
double wwppMultiple(const SettlementTerms& settlement, std::span<const Leg* const> legs,
                    double stake);

// A single stakes-about half: a single on `a`, any to come a single on `b`.
double winStakesAbout(const SettlementTerms& settlement, const Leg& a, const Leg& b, double stake);
double edStakesAbout(const SettlementTerms& settlement, const Leg& a, const Leg& b, double stake);

// Number of winners, or 0 when any leg is a non-runner. A lone winner is
// exchanged with the first leg.
int countWinners(std::span<Leg> legs);

}  // namespace quorvel
