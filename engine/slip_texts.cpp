#include "engine/slip_texts.h"

#include "engine/catalogue.h"
#include "engine/line_texts.h"
#include "engine/selection_terms.h"
#include "engine/settlement.h"

namespace quorvel {

LegTexts legTexts(const Leg& leg, EachWayMode mode) {
    const LegDescription shown = describeLegResult(leg.result);
    LegTexts texts{kResultTexts[static_cast<std::size_t>(shown.result)], {}, {}, ""};
    if (shown.result == ResultChoice::NonRunner || shown.result == ResultChoice::Lost) {
        return texts;
    }
    texts.price = priceName(leg.price);
    if (leg.rule4 != 0) {
        texts.rule4 = std::to_string(leg.rule4) + "p per \xA3";
    }
    if (mode != EachWayMode::Win) {
        texts.placeTerms = kPlaceTermsTexts[static_cast<std::size_t>(shown.terms)];
    }
    return texts;
}

std::string betText(const BetSlip& slip) {
    const BetType* type = findBetType(slip.selectionCount, slip.betIndex);
    return type != nullptr ? type->text : "No bet chosen";
}

std::string stakeText(const BetSlip& slip) {
    return std::to_string(settledUnitStake(slip)) + "p per bet";
}

std::string taxRateText(const Preferences& preferences) {
    return "(tax rate " + std::to_string(preferences.taxRatePercent) + "%)";
}

std::string slipSummary(const BetSlip& slip, bool taxPaid, const Preferences& preferences) {
    std::string out = betText(slip) + ", " + stakeText(slip) + ", ";
    out += kEachWayTexts[static_cast<std::size_t>(slip.eachWayMode)];
    out += taxPaid ? ", tax paid " : ", tax not paid ";
    return out + taxRateText(preferences);
}

}  // namespace quorvel
