#include "engine/leg_sets.h"

#include <bit>

namespace quorvel {

namespace {

// Limits within which every carry stays finite: six legs at a million to one
// on a stake of 1e12 come to about 1e50.
constexpr double kMaxPrice = 1e6;
constexpr double kMaxStake = 1e12;

// One part of a leg, win or place: the factor its winnings are paid at and
// whether it pays at all (all bits set) or returns nothing (0).
struct PartTerms {
    double factor;
    std::uint64_t pays;
};

// A leg's two parts, read once per slip so that a step needs no branch.
struct LegTerms {
    PartTerms win;
    PartTerms place;
    double rule4Share;  // 100 - rule4, as winReturn and placeReturn take it
};

constexpr std::uint64_t paysIf(bool pays) {
    return pays ? ~std::uint64_t{0} : 0;
}

LegTerms termsOf(const Leg& leg) {
    double placeFactor = leg.placePrice;  // "Win Only": the place part is a second win bet
    bool placePays = true;
    switch (leg.result) {
        case WonFifth:
        case PlacedFifth:
            placeFactor = leg.placePrice * 0.2;
            break;
        case WonQuarter:
        case PlacedQuarter:
            placeFactor = leg.placePrice * 0.25;
            break;
        case WonWinOnly:
            break;
        default:
            placePays = false;
    }
    return {{leg.price, paysIf(isWinner(leg.result))},
            {placeFactor, paysIf(placePays)},
            100.0 - static_cast<double>(leg.rule4)};
}

// winReturn or placeReturn of a leg that ran: ((factor × stake) × share) × 0.01
// + stake when the part pays, else 0. A stake of 0 gives 0 either way, as
// those operations give it, since the factor and share are finite.
double partReturn(const PartTerms& part, double rule4Share, double stake) {
    const double paid = ((part.factor * stake) * rule4Share) * 0.01 + stake;
    return std::bit_cast<double>(std::bit_cast<std::uint64_t>(paid) & part.pays);
}

// Sets are worked out in increasing order, so a set's leading set (the set
// without its last leg, a smaller number) is always ready; set 0 is the stake.
template <EachWayMode mode>
void workOut(const std::array<LegTerms, kMaxSelections>& terms, std::uint64_t sets, double stake,
             SetReturns& returns) {
    // Win: the win carry. E/D: half the each-way return, staked on both parts
    // of the next leg. W/W P/P: the win carry and the place carry.
    std::array<double, 64> carry;
    std::array<double, 64> placeCarry;
    carry[0] = stake;
    placeCarry[0] = stake;
    for (sets &= ~std::uint64_t{1}; sets != 0; sets &= sets - 1) {
        const auto set = static_cast<unsigned>(std::countr_zero(sets));
        const unsigned lastLeg = std::bit_width(set) - 1;
        const unsigned leading = set & ~(1u << lastLeg);
        const LegTerms& leg = terms[lastLeg];
        if constexpr (mode == EachWayMode::Win) {
            carry[set] = partReturn(leg.win, leg.rule4Share, carry[leading]);
            returns[set] = carry[set];
        } else if constexpr (mode == EachWayMode::Ed) {
            const double w = partReturn(leg.win, leg.rule4Share, carry[leading]);
            const double eachWay = partReturn(leg.place, leg.rule4Share, carry[leading]) + w;
            carry[set] = eachWay * 0.5;
            returns[set] = eachWay;
        } else {
            carry[set] = partReturn(leg.win, leg.rule4Share, carry[leading]);
            placeCarry[set] = partReturn(leg.place, leg.rule4Share, placeCarry[leading]);
            returns[set] = placeCarry[set] + carry[set];
        }
    }
}

}  // namespace

bool canWorkOutBySet(std::span<const Leg> legs, double stake) {
    if (!(stake >= 0.0 && stake <= kMaxStake)) {
        return false;
    }
    for (const Leg& leg : legs) {
        const bool ordinary = leg.result != NonRunner && leg.price >= 0.0 &&
                              leg.price <= kMaxPrice && leg.placePrice >= 0.0 &&
                              leg.placePrice <= kMaxPrice && leg.rule4 >= 0 && leg.rule4 <= 100;
        if (!ordinary) {
            return false;
        }
    }
    return true;
}

void workOutSets(EachWayMode mode, std::span<const Leg> legs, std::uint64_t sets, double stake,
                 SetReturns& returns) {
    std::array<LegTerms, kMaxSelections> terms{};
    for (std::size_t k = 0; k < legs.size() && k < terms.size(); ++k) {
        terms[k] = termsOf(legs[k]);
    }
    switch (mode) {
        case EachWayMode::Win:
            return workOut<EachWayMode::Win>(terms, sets, stake, returns);
        case EachWayMode::Ed:
            return workOut<EachWayMode::Ed>(terms, sets, stake, returns);
        case EachWayMode::Wwpp:
            return workOut<EachWayMode::Wwpp>(terms, sets, stake, returns);
    }
}

}  // namespace quorvel
