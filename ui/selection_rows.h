#pragma once

// The control ids of the main dialog's six selection rows.

#include <array>

#include "resources/resource.h"

namespace quorvel {

struct SelectionRow {
    int result;      // drop-down list: "Lost", "Won", "Non-Runner" (and "Place")
    int price;       // drop-down list: the price ladder
    int oddsOn;      // tick box, no text
    int rule4;       // drop-down list: "None" to "75p per £"
    int placeTerms;  // drop-down list: "1/5", "1/4", "Win Only"
};

inline constexpr int kRowCount = 6;

// Row n (1..6) is kSelectionRows[n - 1].
inline constexpr std::array<SelectionRow, kRowCount> kSelectionRows{{
    {IDC_RESULT_1, IDC_PRICE_1, IDC_ODDS_ON_1, IDC_RULE4_1, IDC_PLACE_TERMS_1},
    {IDC_RESULT_2, IDC_PRICE_2, IDC_ODDS_ON_2, IDC_RULE4_2, IDC_PLACE_TERMS_2},
    {IDC_RESULT_3, IDC_PRICE_3, IDC_ODDS_ON_3, IDC_RULE4_3, IDC_PLACE_TERMS_3},
    {IDC_RESULT_4, IDC_PRICE_4, IDC_ODDS_ON_4, IDC_RULE4_4, IDC_PLACE_TERMS_4},
    {IDC_RESULT_5, IDC_PRICE_5, IDC_ODDS_ON_5, IDC_RULE4_5, IDC_PLACE_TERMS_5},
    {IDC_RESULT_6, IDC_PRICE_6, IDC_ODDS_ON_6, IDC_RULE4_6, IDC_PLACE_TERMS_6},
}};

inline constexpr bool isRowNumber(int row) {
    return row >= 1 && row <= kRowCount;
}

}  // namespace quorvel
