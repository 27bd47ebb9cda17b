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

// The stake box's first 7 characters, as typed.
std::string_view stakeText(HWND dialog, char (&text)[8]) {
    const UINT length = GetDlgItemTextA(dialog, IDC_STAKE, text, sizeof text);
    return {text, length};
}

int readUnitStake(HWND dialog) {
    char text[8] = {};
    if (stakeText(dialog, text).empty()) {
        SetDlgItemTextA(dialog, IDC_STAKE, "10");
        return 10;
    }
    return decimalValue(stakeText(dialog, text));
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

SettlementInput readSlip(const AppState& app, HWND dialog, int selectionCount) {
    SettlementInput input{};
    input.preferences = app.preferences;
    input.taxPaid = IsDlgButtonChecked(dialog, IDC_TAX_PAID) != 0;
    BetSlip& slip = input.slip;
    slip.selectionCount = selectionCount;
    slip.betIndex = static_cast<int>(currentItem(dialog, IDC_BET));
    slip.eachWayMode = readEachWayMode(dialog);
    char text[8] = {};
    const std::string_view stake = stakeText(dialog, text);
    slip.unitStake = stake.empty() ? 10 : decimalValue(stake);
    for (int row = 1; row <= selectionCount && row <= kMaxSelections; ++row) {
        slip.legs[static_cast<std::size_t>(row - 1)] = readLeg(dialog, row);
    }
    return input;
}

bool sameSlip(const SettlementInput& a, const SettlementInput& b) {
    for (const PreferenceField& field : kPreferenceFields) {
        if (a.preferences.*field.value != b.preferences.*field.value) {
            return false;
        }
    }
    const BetSlip& x = a.slip;
    const BetSlip& y = b.slip;
    if (a.taxPaid != b.taxPaid || x.selectionCount != y.selectionCount ||
        x.betIndex != y.betIndex || x.eachWayMode != y.eachWayMode || x.unitStake != y.unitStake) {
        return false;
    }
    for (int i = 0; i < x.selectionCount && i < kMaxSelections; ++i) {
        const Leg& l = x.legs[static_cast<std::size_t>(i)];
        const Leg& m = y.legs[static_cast<std::size_t>(i)];
        if (l.result != m.result || l.price != m.price || l.placePrice != m.placePrice ||
            l.rule4 != m.rule4) {
            return false;
        }
    }
    return true;
}

SlipSettlement settleSlip(const AppState& app, HWND dialog, int selectionCount,
                          const SettlementObserver* observer) {
    SettlementInput input = readSlip(app, dialog, selectionCount);
    input.slip.unitStake = readUnitStake(dialog);  // fills an empty box with "10"
    const SettlementDisplay shown = settleAmounts(input, observer);
    SetDlgItemTextA(dialog, IDC_TOTAL_STAKE, shown.totalStake.data());
    SetDlgItemTextA(dialog, IDC_RETURNS, shown.returns.data());
    return {input, shown};
}

}  // namespace quorvel
