#pragma once

// The lines of a bet worked out together. A bet's multiples share their
// leading legs (1-2-3 and 1-2-4 both start as double 1-2), so each set of legs
// is worked out once, as its leading set's carry taken through its last leg:
// one leg step per set instead of one per leg of every line, and the steps of
// different sets are independent of each other. Every step is the leg
// operation's own arithmetic in its own order, so each line's return is the
// same to the last bit as the line settled on its own.

#include <array>
#include <cstdint>
#include <span>

#include "engine/bet_slip.h"
#include "engine/catalogue.h"
#include "engine/settlement_terms.h"

namespace quorvel {

// What a bet's lines are taken from: the return of each leg set before it is
// made whole, by set (bit k - 1 for leg k), and the set of legs that ran.
struct SetReturns {
    std::array<double, 64> bySet;
    unsigned ran;
};

// Whether the lines over `legs` can be worked out by set: prices, Rule 4 and
// the stake are within the ranges a slip can carry, so that no carry goes below
// 0 or beyond the range of a double. Other slips are settled line by line.
bool canWorkOutBySet(std::span<const Leg> legs, double stake);

// The return of every set in `sets` (a BetType's workedSets, which holds every
// set's leading set) in the Win, E/D or W/W P/P mode, each staked with `stake`. As a multiple drops
// its non-runners, a set holding some returns what the set of its other legs returns, and a set of
// non-runners alone the refund of its last leg.
void workOutSets(const SettlementTerms& settlement, EachWayMode mode, std::span<const Leg> legs,
                 std::uint64_t sets, double stake, SetReturns& returns);

// The return of one line of the bet whose sets were worked out.
inline double lineReturnFromSets(EachWayMode mode, const BetLine& line, const SetReturns& returns,
                                 double stake) {
    if (line.kind != LineKind::StakesAbout) {
        return returns.bySet[line.legSet];
    }
    // winStakesAbout and edStakesAbout on the two singles' returns; a half
    // with a non-runner is the single on its other leg.
    const unsigned firstLeg = 1u << (line.legs[0] - 1u), secondLeg = 1u << (line.legs[1] - 1u);
    const double first = returns.bySet[firstLeg];
    const double second = returns.bySet[secondLeg];
    if ((returns.ran & firstLeg) == 0) {
        return second;
    }
    if ((returns.ran & secondLeg) == 0) {
        return first;
    }
    const double followOnStake = mode == EachWayMode::Win ? stake : 2.0 * stake;
    if (mode == EachWayMode::Win ? !(first > stake) : followOnStake >= first) {
        return first;
    }
    return second + (first - followOnStake);
}

}  // namespace quorvel
