#include "ui/slip_reader.h"

#include <string_view>

#include "engine/selection_terms.h"
#include "engine/settle_amounts.h"
#include "resources/resource.h"
#include "ui/selection_rows.h"

namespace quorvel {
namespace {

LRESULT currentItem(HWND dialog, int listId) {
    return SendDlgItemMessageA(dialog, listId, CB_GETCURSEL, 0, 0);
}

// True when the list's case-insensitive prefix search for `prefix` finds the
// item at `position`. The search starts after the first item and wraps
// around, so every item is searched.
bool prefixFinds(HWND dialog, int listId, const char* prefix, LRESULT position) {
    return SendDlgItemMessageA(dialog, listId, CB_FINDSTRING, 0,
                               reinterpret_cast<LPARAM>(prefix)) == position;
}

PlaceTerms readPlaceTerms(HWND dialog, int listId) {
    const LRESULT position = currentItem(dialog, listId);
    if (prefixFinds(dialog, listId, "1/4", position)) {
        return PlaceTerms::Quarter;
    }
    if (prefixFinds(dialog, listId, "1/5", position)) {
        return PlaceTerms::Fifth;
    }
    return PlaceTerms::WinOnly;
}

}  // namespace

EachWayMode readEachWayMode(HWND dialog) {
    const LRESULT position = currentItem(dialog, IDC_EACH_WAY);
    if (position == CB_ERR) {
        return EachWayMode::Win;
    }
    for (EachWayMode mode : {EachWayMode::Win, EachWayMode::Ed, EachWayMode::Wwpp}) {
        if (prefixFinds(dialog, IDC_EACH_WAY, kEachWayTexts[static_cast<int>(mode)], position)) {
            return mode;
        }
    }
    return EachWayMode::Win;
}

int readUnitStake(HWND dialog) {
    char text[8] = {};
    const UINT length = GetDlgItemTextA(dialog, IDC_STAKE, text, sizeof text);
    if (length == 0) {
        SetDlgItemTextA(dialog, IDC_STAKE, "10");
        return 10;
    }
    return decimalValue(std::string_view(text, length));
}

Leg readLeg(HWND dialog, int row) {
    LegChoices choices;
    choices.priceIndex = -1;
    if (!isRowNumber(row)) {
        return makeLeg(choices);
    }
    const SelectionRow& ids = kSelectionRows[row - 1];
    const LRESULT result = currentItem(dialog, ids.result);
    if (result == CB_ERR) {
        choices.result = ResultChoice::Lost;
    } else if (prefixFinds(dialog, ids.result, "w", result)) {
        choices.result = ResultChoice::Won;
        choices.terms = readPlaceTerms(dialog, ids.placeTerms);
    } else if (prefixFinds(dialog, ids.result, "place", result)) {
        choices.result = ResultChoice::Place;
        choices.terms = readPlaceTerms(dialog, ids.placeTerms);
    } else if (prefixFinds(dialog, ids.result, "non", result)) {
        choices.result = ResultChoice::NonRunner;
    }
    const LRESULT price = currentItem(dialog, ids.price);
    if (price >= 0 && price < kPriceCount) {
        choices.priceIndex = static_cast<int>(price);
        choices.oddsOn = IsDlgButtonChecked(dialog, ids.oddsOn) == BST_CHECKED;
    }
    const LRESULT rule4 = currentItem(dialog, ids.rule4);
    if (rule4 >= 0 && rule4 < kRule4Count) {
        choices.rule4 = Rule4Ladder[static_cast<std::size_t>(rule4)];
    }
    return makeLeg(choices);
}

SlipSettlement settleSlip(const AppState& app, HWND dialog, int selectionCount,
                          const SettlementObserver* observer) {
    SettlementInput input{};
    input.preferences = app.preferences;
    input.taxPaid = IsDlgButtonChecked(dialog, IDC_TAX_PAID) != 0;
    BetSlip& slip = input.slip;
    slip.selectionCount = selectionCount;
    slip.betIndex = static_cast<int>(currentItem(dialog, IDC_BET));
    slip.eachWayMode = readEachWayMode(dialog);
    slip.unitStake = readUnitStake(dialog);
    for (int row = 1; row <= selectionCount && row <= kMaxSelections; ++row) {
        slip.legs[static_cast<std::size_t>(row - 1)] = readLeg(dialog, row);
    }
    const SettlementDisplay shown = settleAmounts(input, observer);
    SetDlgItemTextA(dialog, IDC_TOTAL_STAKE, shown.totalStake.data());
    SetDlgItemTextA(dialog, IDC_RETURNS, shown.returns.data());
    return {input, shown};
}

}  // namespace quorvel
