#include "engine/leg_sets.h"

#include <array>
#include <bit>

#include "engine/leg_operations.h"

namespace quorvel {

namespace {

// Limits within which every carry stays finite: six legs at a million to one
// on a stake of 1e12 come to about 1e50.
constexpr double kMaxPrice = 1e6;
constexpr double kMaxStake = 1e12;

// A leg's win part and place part side by side, in the two lanes of one
// register: each lane is the plain double operation on its own part.
using PartPair = double __attribute__((vector_size(16)));
using PartMask = std::uint64_t __attribute__((vector_size(16)));

// A leg's two parts, read once per slip so that a step needs no branch.
struct LegTerms {
    PartPair factor;      // winnings per unit staked: the price, the place price's fraction
    PartMask pays;        // all bits set for a part that pays, 0 for one that returns nothing
    PartPair rule4Share;  // 100 - rule4 in both lanes, as winReturn and placeReturn take it
};

constexpr std::uint64_t paysIf(bool pays) {
    return pays ? ~std::uint64_t{0} : 0;
}

// What each result code makes of a leg's two parts: the share of the place price the place part
// is paid at, and which parts pay. Looked up rather than branched on: results come in any order.
struct ResultParts {
    double placeShare;  // "Win Only": 1, the place part is a second win bet
    PartMask pays;
};
constexpr std::array<ResultParts, 7> kResultParts = [] {
    std::array<ResultParts, 7> parts{};
    for (int result = 0; result < 7; ++result) {
        double share = 1.0;
        bool placePays = true;
        switch (result) {
            case WonFifth:
            case PlacedFifth:
                share = 0.2;
                break;
            case WonQuarter:
            case PlacedQuarter:
                share = 0.25;
                break;
            case WonWinOnly:
                break;
            default:
                placePays = false;
        }
        parts[static_cast<std::size_t>(result)] = {
            share, PartMask{paysIf(isWinner(result)), paysIf(placePays)}};
    }
    return parts;
}();

LegTerms termsOf(const Leg& leg) {
    const auto code = static_cast<unsigned>(leg.result);
    // A code off the list pays nothing, as Lost.
    const ResultParts& parts = kResultParts[code < kResultParts.size() ? code : unsigned{Lost}];
    // A share of 1 leaves the place price as it is, to the last bit.
    const double share = 100.0 - static_cast<double>(leg.rule4);
    return {PartPair{leg.price, leg.placePrice * parts.placeShare}, parts.pays,
            PartPair{share, share}};
}

// winReturn and placeReturn of a leg that ran, on the win and place stakes:
// ((factor × stake) × share) × 0.01 + stake for a part that pays, else 0. A
// stake of 0 gives 0 either way, as those operations give it, since the factor
// and share are finite.
PartPair partReturns(const LegTerms& leg, PartPair stakes) {
    const PartPair paid = ((leg.factor * stakes) * leg.rule4Share) * 0.01 + stakes;
    return std::bit_cast<PartPair>(std::bit_cast<PartMask>(paid) & leg.pays);
}

// How each set of legs is reached: from its leading set (the set without its
// last leg) through its last leg, numbered from 0 here.
struct SetStep {
    std::uint8_t leading;
    std::uint8_t lastLeg;
};

constexpr auto kSetSteps = [] {
    std::array<SetStep, 64> steps{};
    for (unsigned set = 1; set < steps.size(); ++set) {
        const unsigned lastLeg = std::bit_width(set) - 1;
        steps[set] = {static_cast<std::uint8_t>(set & ~(1u << lastLeg)),
                      static_cast<std::uint8_t>(lastLeg)};
    }
    return steps;
}();

// Sets are worked out in increasing order, so a set's leading set, a smaller
// number, is always ready; set 0 is the stake.
template <EachWayMode mode>
void workOut(const std::array<LegTerms, kMaxSelections>& terms, std::uint64_t sets, double stake,
             std::array<double, 64>& returns) {
    // The stakes each set hands on to the next leg. Win: the win carry (the
    // place lane is worked out and not used). E/D: half the each-way return on
    // both parts. W/W P/P: the win carry and the place carry.
    std::array<PartPair, 64> carries;
    carries[0] = PartPair{stake, stake};
    for (sets &= ~std::uint64_t{1}; sets != 0; sets &= sets - 1) {
        const auto set = static_cast<unsigned>(std::countr_zero(sets));
        const SetStep step = kSetSteps[set];
        const PartPair parts = partReturns(terms[step.lastLeg], carries[step.leading]);
        if constexpr (mode == EachWayMode::Win) {
            carries[set] = PartPair{parts[0], parts[0]};
            returns[set] = parts[0];
        } else if constexpr (mode == EachWayMode::Ed) {
            const double eachWay = parts[1] + parts[0];
            carries[set] = PartPair{eachWay, eachWay} * 0.5;
            returns[set] = eachWay;
        } else {
            carries[set] = parts;
            returns[set] = parts[1] + parts[0];
        }
    }
}

}  // namespace

bool canWorkOutBySet(std::span<const Leg> legs, double stake) {
    if (!(stake >= 0.0 && stake <= kMaxStake)) {
        return false;
    }
    for (const Leg& leg : legs) {
        const bool ordinary = leg.price >= 0.0 && leg.price <= kMaxPrice && leg.placePrice >= 0.0 &&
                              leg.placePrice <= kMaxPrice && leg.rule4 >= 0 && leg.rule4 <= 100;
        if (!ordinary) {
            return false;
        }
    }
    return true;
}

void workOutSets(const SettlementTerms& settlement, EachWayMode mode, std::span<const Leg> legs,
                 std::uint64_t sets, double stake, SetReturns& returns) {
    std::array<LegTerms, kMaxSelections> terms;  // the slip's legs alone are read
    returns.ran = 0;
    for (std::size_t k = 0; k < legs.size() && k < terms.size(); ++k) {
        terms[k] = termsOf(legs[k]);
        returns.ran |= legs[k].result != NonRunner ? 1u << k : 0u;
    }
    const bool allRan = returns.ran + 1 == 1u << legs.size();

    // The sets of legs that ran which the lines come down to. They hold every set's leading set
    // as `sets` does: the runners of a set less the last of them are the runners of the leading
    // set of the set that ends at that last runner.
    std::uint64_t runnerSets = sets;
    if (!allRan) {
        runnerSets = 0;
        for (std::uint64_t rest = sets; rest != 0; rest &= rest - 1) {
            runnerSets |= std::uint64_t{1}
                          << (static_cast<unsigned>(std::countr_zero(rest)) & returns.ran);
        }
    }
    switch (mode) {
        case EachWayMode::Win:
            workOut<EachWayMode::Win>(terms, runnerSets, stake, returns.bySet);
            break;
        case EachWayMode::Ed:
            workOut<EachWayMode::Ed>(terms, runnerSets, stake, returns.bySet);
            break;
        case EachWayMode::Wwpp:
            workOut<EachWayMode::Wwpp>(terms, runnerSets, stake, returns.bySet);
            break;
    }
    if (allRan) {
        return;
    }
    // A set of non-runners alone returns the refund of its last leg.
    std::array<double, kMaxSelections> refunds{};
    for (std::size_t k = 0; k < legs.size() && k < refunds.size(); ++k) {
        if ((returns.ran & (1u << k)) == 0) {
            refunds[k] = mode == EachWayMode::Win ? winReturn(settlement, legs[k], stake)
                                                  : eachWayReturn(settlement, legs[k], stake);
        }
    }
    // A set of runners alone takes its own return again, so no set is asked which it is.
    for (std::uint64_t rest = sets & ~std::uint64_t{1}; rest != 0; rest &= rest - 1) {
        const auto set = static_cast<unsigned>(std::countr_zero(rest));
        const unsigned runners = set & returns.ran;
        returns.bySet[set] =
            runners != 0 ? returns.bySet[runners] : refunds[kSetSteps[set].lastLeg];
    }
}

}  // namespace quorvel
