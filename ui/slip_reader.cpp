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

int readLegResult(HWND dialog, int row) {
    if (!isRowNumber(row)) {
        return Lost;
    }
    const SelectionRow& ids = kSelectionRows[row - 1];
    const LRESULT position = currentItem(dialog, ids.result);
    if (position == CB_ERR) {
        return Lost;
    }
    if (prefixFinds(dialog, ids.result, "w", position)) {
        return legResultFor(ResultChoice::Won, readPlaceTerms(dialog, ids.placeTerms));
    }
    if (prefixFinds(dialog, ids.result, "place", position)) {
        return legResultFor(ResultChoice::Place, readPlaceTerms(dialog, ids.placeTerms));
    }
    if (prefixFinds(dialog, ids.result, "non", position)) {
        return NonRunner;
    }
    return Lost;
}

double readLegPrice(HWND dialog, int row) {
    if (!isRowNumber(row)) {
        return 0.0;
    }
    const SelectionRow& ids = kSelectionRows[row - 1];
    const LRESULT position = currentItem(dialog, ids.price);
    if (position < 0 || position >= kPriceCount) {
        return 0.0;
    }
    double price = PriceLadder[static_cast<std::size_t>(position)];
    if (IsDlgButtonChecked(dialog, ids.oddsOn) == BST_CHECKED) {
        price = 1.0 / price;
    }
    return price;
}

int readRule4(HWND dialog, int row) {
    if (!isRowNumber(row)) {
        return 0;
    }
    const LRESULT position = currentItem(dialog, kSelectionRows[row - 1].rule4);
    if (position < 0 || position >= kRule4Count) {
        return 0;
    }
    return Rule4Ladder[static_cast<std::size_t>(position)];
}

SlipSettlement settleSlip(AppState& app, HWND dialog, int selectionCount,
                          const SettlementObserver* observer) {
    BetSlip slip{};
    slip.selectionCount = selectionCount;
    slip.betIndex = static_cast<int>(currentItem(dialog, IDC_BET));
    slip.eachWayMode = readEachWayMode(dialog);
    slip.unitStake = readUnitStake(dialog);
    app.taxPaid = static_cast<int>(IsDlgButtonChecked(dialog, IDC_TAX_PAID));
    app.taxFactor = taxFactorFor(app.taxRatePercent);
    for (int row = 1; row <= selectionCount && row <= kMaxSelections; ++row) {
        Leg& leg = slip.legs[static_cast<std::size_t>(row - 1)];
        leg.result = readLegResult(dialog, row);
        leg.price = readLegPrice(dialog, row);
        leg.rule4 = readRule4(dialog, row);
        leg.placePrice = leg.price;
    }
    const SettlementDisplay shown = settleAmounts(app, slip, observer);
    SetDlgItemTextA(dialog, IDC_TOTAL_STAKE, shown.totalStake.data());
    SetDlgItemTextA(dialog, IDC_RETURNS, shown.returns.data());
    return {slip, shown};
}

}  // namespace quorvel
