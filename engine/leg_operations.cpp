#include "engine/leg_operations.h"

#include <array>
#include <cmath>
#include <utility>

namespace quorvel {

namespace {

// The part of 100 pence per pound of winnings that Rule 4 leaves. Subtracted as
// doubles so that no rule4 value can overflow; for 0..75 it is the same number.
double rule4Share(const Leg& leg) {
    return 100.0 - static_cast<double>(leg.rule4);
}

// The stake back when tax is deducted from the returns, grossed up so that the
// deduction leaves exactly the stake.
double grossedUpRefund(const SettlementTerms& settlement, double stake) {
    return std::trunc((1.0 / (2.0 - settlement.taxFactor)) * stake + 0.5);
}

using LegPointers = std::array<const Leg*, kMaxSelections>;

// The legs a multiple is settled on: the non-runners dropped, in slip order;
// when every leg is a non-runner, the last one alone. Returns how many.
std::size_t runners(std::span<const Leg* const> legs, LegPointers& out) {
    std::size_t count = 0;
    for (const Leg* leg : legs) {
        if (leg->result != NonRunner) {
            out[count++] = leg;
        }
    }
    if (count == 0) {
        out[count++] = legs.back();
    }
    return count;
}

bool validLegCount(std::span<const Leg* const> legs) {
    return !legs.empty() && legs.size() <= kMaxSelections;
}

}  // namespace

double winReturn(const SettlementTerms& settlement, const Leg& leg, double stake) {
    if (!(stake > 0.0)) {
        return 0.0;
    }
    if (isWinner(leg.result)) {
        return ((leg.price * stake) * rule4Share(leg)) * 0.01 + stake;
    }
    if (leg.result == NonRunner) {
        return settlement.taxPaid ? settlement.taxFactor * stake
                                  : grossedUpRefund(settlement, stake);
    }
    return 0.0;
}

double placeReturn(const SettlementTerms& settlement, const Leg& leg, double stake) {
    if (!(stake > 0.0)) {
        return 0.0;
    }
    switch (leg.result) {
        case NonRunner:
            return settlement.taxPaid ? std::trunc(settlement.taxFactor * stake + 0.5)
                                      : grossedUpRefund(settlement, stake);
        case WonFifth:
        case PlacedFifth:
            return (((leg.placePrice * 0.2) * stake) * rule4Share(leg)) * 0.01 + stake;
        case WonQuarter:
        case PlacedQuarter:
            return (((leg.placePrice * 0.25) * stake) * rule4Share(leg)) * 0.01 + stake;
        case WonWinOnly:
            return ((leg.placePrice * stake) * rule4Share(leg)) * 0.01 + stake;
        default:
            return 0.0;
    }
}

double eachWayReturn(const SettlementTerms& settlement, const Leg& leg, double stake) {
    const double w = winReturn(settlement, leg, stake);
    return placeReturn(settlement, leg, stake) + w;
}

double splitCarry(const SettlementTerms& settlement, const Leg& leg, double& winCarry,
                  double& placeCarry) {
    const double w = winReturn(settlement, leg, winCarry);
    const double p = placeReturn(settlement, leg, placeCarry);
    placeCarry = p;
    winCarry = w;
    return p + w;
}

double winMultiple(const SettlementTerms& settlement, std::span<const Leg* const> legs,
                   double stake) {
    if (!validLegCount(legs)) {
        return 0.0;
    }
    LegPointers settled{};
    const std::size_t count = runners(legs, settled);
    double carry = stake;
    for (std::size_t k = 0; k < count; ++k) {
        carry = winReturn(settlement, *settled[k], carry);
    }
    return carry;
}

double edMultiple(const SettlementTerms& settlement, std::span<const Leg* const> legs,
                  double stake) {
    if (!validLegCount(legs)) {
        return 0.0;
    }
    LegPointers settled{};
    const std::size_t count = runners(legs, settled);
    double carry = stake;
    for (std::size_t k = 0; k + 1 < count; ++k) {
        carry = eachWayReturn(settlement, *settled[k], carry) * 0.5;
    }
    return eachWayReturn(settlement, *settled[count - 1], carry);
}

double wwppMultiple(const SettlementTerms& settlement, std::span<const Leg* const> legs,
                    double stake) {
    if (!validLegCount(legs)) {
        return 0.0;
    }
    LegPointers settled{};
    const std::size_t count = runners(legs, settled);
    double winCarry = stake;
    double placeCarry = stake;
    double result = 0.0;
    for (std::size_t k = 0; k < count; ++k) {
        result = splitCarry(settlement, *settled[k], winCarry, placeCarry);
    }
    return result;
}

double winStakesAbout(const SettlementTerms& settlement, const Leg& a, const Leg& b, double stake) {
    if (a.result == NonRunner) {
        return winReturn(settlement, b, stake);
    }
    if (b.result == NonRunner) {
        return winReturn(settlement, a, stake);
    }
    const double r = winReturn(settlement, a, stake);
    if (!(r > stake)) {
        return r;
    }
    return winReturn(settlement, b, stake) + (r - stake);
}

double edStakesAbout(const SettlementTerms& settlement, const Leg& a, const Leg& b, double stake) {
    if (a.result == NonRunner) {
        return eachWayReturn(settlement, b, stake);
    }
    if (b.result == NonRunner) {
        return eachWayReturn(settlement, a, stake);
    }
    const double r = eachWayReturn(settlement, a, stake);
    if (2.0 * stake >= r) {
        return r;
    }
    return eachWayReturn(settlement, b, stake) + (r - 2.0 * stake);
}

int countWinners(std::span<Leg> legs) {
    int winners = 0;
    for (const Leg& leg : legs) {
        if (leg.result == NonRunner) {
            return 0;
        }
        if (isWinner(leg.result)) {
            ++winners;
        }
    }
    if (winners == 1) {
        for (Leg& leg : legs) {
            if (isWinner(leg.result)) {
                std::swap(leg, legs[0]);
                break;
            }
        }
    }
    return winners;
}

}  // namespace quorvel
