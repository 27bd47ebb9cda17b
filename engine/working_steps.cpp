#include "engine/working_steps.h"

#include <cmath>
#include <cstdio>

#include "engine/line_texts.h"

namespace quorvel {
namespace {

// The difference between two amounts the settlement went through, signed.
std::string changeText(double before, double after) {
    // A difference below the last decimal written is no change to a reader.
    const std::string size = exactAmountText(std::fabs(after - before));
    if (size ==
        "\xA3"
        "0.0000") {
        return size;
    }
    return (after > before ? "+" : "-") + size;
}

std::string percentText(int percent) {
    return std::to_string(percent) + "%";
}

}  // namespace

std::string exactAmountText(double hundredthsOfPenny) {
    if (!std::isfinite(hundredthsOfPenny)) {
        return lineReturnText(hundredthsOfPenny);
    }
    // Eight decimals of a pound are ten-thousandths of a hundredth of a penny:
    // enough for a bonus or a tax on a whole amount, and they hide the last
    // bit of a product that is not exact in binary.
    char text[400];
    std::snprintf(text, sizeof text, "\xA3%.8f", hundredthsOfPenny / 10000.0);
    std::string out = text;
    while (out.size() > 1 && out.back() == '0' && out[out.size() - 5] != '.') {
        out.pop_back();
    }
    return out;
}

WorkingSteps workingSteps(const SettlementSteps& steps, const SettlementDisplay& shown) {
    WorkingSteps out;
    const Settled& settled = steps.settled;

    double before = settled.linesTotal;
    out.returns.push_back(
        {"linesTotal", "The lines' returns added up", {}, exactAmountText(before)});
    if (settled.bonusFactor != 0.0) {
        out.returns.push_back({"bonus",
                               "All-winner bonus " + percentText(steps.bonusPercent) + ": times " +
                                   shortestNumberText(settled.bonusFactor),
                               changeText(before, settled.returns),
                               exactAmountText(settled.returns)});
        before = settled.returns;
    }
    if (!steps.taxPaid) {
        out.returns.push_back(
            {"taxDeducted",
             "Tax " + percentText(steps.taxRatePercent) + " deducted (not paid with the stake)",
             changeText(before, steps.returnsLessTax), exactAmountText(steps.returnsLessTax)});
        before = steps.returnsLessTax;
        if (steps.returnsWhole != steps.returnsLessTax) {
            out.returns.push_back({"wholeHundredths", "Made whole to the hundredth of a penny",
                                   changeText(before, steps.returnsWhole),
                                   exactAmountText(steps.returnsWhole)});
            before = steps.returnsWhole;
        }
    }
    out.returns.push_back({"returns", "Made whole to the penny: Returns",
                           changeText(before, steps.returnsPence * 100.0), shown.returns.data()});

    // The stake chain is in whole pence; its figures are written to the
    // hundredth of a penny like the returns', so that the tax's half pennies show.
    out.stake.push_back({"stake",
                         std::to_string(settled.numberOfBets) +
                             (settled.numberOfBets == 1 ? " bet" : " bets") + " times " +
                             std::to_string(steps.stakePerBet) + "p",
                         {},
                         exactAmountText(steps.stakePence * 100.0)});
    if (steps.taxPaid) {
        out.stake.push_back(
            {"taxAdded",
             "Tax " + percentText(steps.taxRatePercent) + " added (paid with the stake)",
             changeText(steps.stakePence * 100.0, steps.stakeWithTax * 100.0),
             exactAmountText(steps.stakeWithTax * 100.0)});
        out.stake.push_back({"totalStake", "Made whole to the penny: Total stake",
                             changeText(steps.stakeWithTax * 100.0, steps.totalStakePence * 100.0),
                             shown.totalStake.data()});
    } else {
        out.stake.push_back(
            {"totalStake", "Tax not added: Total stake", {}, shown.totalStake.data()});
    }

    if (settled.consolationRow != 0) {
        out.note = "Consolation: the lone winner on row " + std::to_string(settled.consolationRow) +
                   " paid at " + priceName(settled.consolationPrice) + ", its odds times " +
                   std::to_string(steps.consolationOdds);
    }
    return out;
}

}  // namespace quorvel
