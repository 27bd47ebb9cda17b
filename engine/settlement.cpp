#include "engine/settlement.h"

#include <span>

#include "engine/leg_operations.h"
#include "engine/leg_sets.h"
#include "engine/round_pence.h"

namespace quorvel {

namespace {

using Mode = EachWayMode;

// How the lines are worked out: each by set where the slip allows it, or each
// line on its own through the leg operations.
enum class Working { BySet, LineByLine };

// The return of one line before it is made whole.
double lineReturn(Mode mode, const SettlementTerms& settlement, const BetLine& line,
                  const Legs& legs, double stake) {
    std::array<const Leg*, kMaxSelections> chosen{};
    for (std::size_t k = 0; k < line.legCount; ++k) {
        chosen[k] = &legs[line.legs[k] - 1u];
    }
    switch (line.kind) {
        case LineKind::Single:
            return mode == Mode::Win ? winReturn(settlement, *chosen[0], stake)
                                     : eachWayReturn(settlement, *chosen[0], stake);
        case LineKind::StakesAbout:
            return mode == Mode::Win ? winStakesAbout(settlement, *chosen[0], *chosen[1], stake)
                                     : edStakesAbout(settlement, *chosen[0], *chosen[1], stake);
        case LineKind::Multiple:
            break;
    }
    const std::span<const Leg* const> multiple(chosen.data(), line.legCount);
    switch (mode) {
        case Mode::Win:
            return winMultiple(settlement, multiple, stake);
        case Mode::Ed:
            return edMultiple(settlement, multiple, stake);
        case Mode::Wwpp:
            break;
    }
    return wwppMultiple(settlement, multiple, stake);
}

// Tells the observer of a line's rounded return. `rows[i]` is the row that leg
// i + 1 was entered on.
void reportLine(const BetLine& line, double rounded, const std::array<int, kMaxSelections>& rows,
                const SettlementObserver& observer) {
    if (observer.onLine == nullptr) {
        return;
    }
    LineReport report{&line, {}, rounded};
    for (std::size_t k = 0; k < line.legCount; ++k) {
        report.rows[k] = rows[line.legs[k] - 1u];
    }
    observer.onLine(observer.context, report);
}

// Makes a line's return whole and tells the observer, if there is one.
inline double addLine(const BetLine& line, double lineReturn,
                      const std::array<int, kMaxSelections>& rows,
                      const SettlementObserver* observer) {
    const double rounded = roundPence(lineReturn);
    if (observer != nullptr) {
        reportLine(line, rounded, rows, *observer);
    }
    return rounded;
}

// One body for each mode, so that every choice made on the mode is made
// when the program is built, not for every line.
template <Mode mode>
Settled settleWith(Working working, const SettlementTerms& settlement, const BetSlip& slip,
                   const SettlementObserver* observer) {
    const int selectionCount = slip.selectionCount;
    const int betIndex = slip.betIndex;
    const double stake = static_cast<double>(settledUnitStake(slip)) * 100.0;
    Legs legs = slip.legs;  // the Lucky rules may reorder them and raise a price

    Settled settled{0.0, 0, 0.0, 0.0, 0, 0.0};
    double total = 0.0;
    const BetType* type = findBetType(selectionCount, betIndex);
    // Stakes-about bets have no win-to-win, place-to-place lines.
    if (type == nullptr || (mode == Mode::Wwpp && type->stakesAbout)) {
        return settled;
    }
    const int betsPerLine = mode == Mode::Win ? 1 : 2;
    settled.numberOfBets = static_cast<int>(type->lines.size()) * betsPerLine;

    std::array<int, kMaxSelections> rows = {1, 2, 3, 4, 5, 6};
    const int lucky = luckySelections(selectionCount, betIndex);
    int winners = 0;
    if (lucky != 0) {
        const std::span<Leg> luckyLegs(legs.data(), static_cast<std::size_t>(lucky));
        // Where a lone winner stands before countWinners brings it first.
        std::size_t firstWinner = 0;
        while (firstWinner + 1 < luckyLegs.size() && !isWinner(luckyLegs[firstWinner].result)) {
            ++firstWinner;
        }
        winners = countWinners(luckyLegs);
        if (winners == 1) {
            std::swap(rows[0], rows[firstWinner]);
            legs[0].price =
                static_cast<double>(luckyTerms(settlement.preferences, lucky).consolation) *
                legs[0].price;
            settled.consolationRow = rows[0];
            settled.consolationPrice = legs[0].price;
            if (mode == Mode::Win) {
                // Every other line holds a loser: the lone winner's single is the bet.
                const BetLine& single = type->lines[0];
                settled.returns = addLine(single, lineReturn(mode, settlement, single, legs, stake),
                                          rows, observer);
                settled.linesTotal = settled.returns;
                return settled;
            }
        }
    }

    const std::span<const Leg> slipLegs(legs.data(), static_cast<std::size_t>(selectionCount));
    if (working == Working::BySet && canWorkOutBySet(slipLegs, stake)) {
        SetReturns returns;
        workOutSets(settlement, mode, slipLegs, type->workedSets, stake, returns);
        // In three passes, so that the additions, the one chain of a
        // settlement in which each step waits on the last, run on their own.
        const std::span<const BetLine> lines = type->lines;
        std::array<double, kMaxLinesPerBet> rounded;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            rounded[i] = roundPence(lineReturnFromSets(mode, lines[i], returns, stake));
        }
        for (std::size_t i = 0; observer != nullptr && i < lines.size(); ++i) {
            reportLine(lines[i], rounded[i], rows, *observer);
        }
        for (std::size_t i = 0; i < lines.size(); ++i) {
            total = rounded[i] + total;
        }
    } else {
        for (const BetLine& line : type->lines) {
            total = addLine(line, lineReturn(mode, settlement, line, legs, stake), rows, observer) +
                    total;
        }
    }

    settled.linesTotal = total;
    if (lucky != 0 && winners == lucky) {
        const double factor =
            static_cast<double>(luckyTerms(settlement.preferences, lucky).bonus) * 0.01 + 1.0;
        total = factor * total;
        settled.bonusFactor = factor;
    }
    settled.returns = total;
    return settled;
}

Settled settleIn(Working working, const SettlementTerms& terms, const BetSlip& slip,
                 const SettlementObserver* observer) {
    switch (slip.eachWayMode) {
        case Mode::Win:
            return settleWith<Mode::Win>(working, terms, slip, observer);
        case Mode::Ed:
            return settleWith<Mode::Ed>(working, terms, slip, observer);
        case Mode::Wwpp:
            return settleWith<Mode::Wwpp>(working, terms, slip, observer);
    }
    return Settled{0.0, 0, 0.0, 0.0, 0, 0.0};  // a mode off the list settles nothing
}

}  // namespace

Settled settle(const SettlementTerms& terms, const BetSlip& slip,
               const SettlementObserver* observer) {
    return settleIn(Working::BySet, terms, slip, observer);
}

Settled settleLineByLine(const SettlementTerms& terms, const BetSlip& slip,
                         const SettlementObserver* observer) {
    return settleIn(Working::LineByLine, terms, slip, observer);
}

}  // namespace quorvel
