#pragma once

// The vocabulary of a selection row: the texts of its four lists in list
// order, the values behind them, and how a result and place terms become a
// LegResult code. Texts are Windows-1252 ("\xA3" is the pound sign).

#include <array>

namespace quorvel {

inline constexpr int kPriceCount = 59;
inline constexpr int kRule4Count = 16;

extern const std::array<const char*, kPriceCount> kPriceTexts;
// Decimal odds of each price-list position: numerator / denominator in double precision.
extern const std::array<double, kPriceCount> PriceLadder;

extern const std::array<const char*, kRule4Count> kRule4Texts;
// Deduction in pence per pound of each Rule 4 list position: 5 × position.
extern const std::array<int, kRule4Count> Rule4Ladder;

// The result list: the first three items always, "Place" only in the each-way modes.
enum class ResultChoice : int { Lost = 0, Won = 1, NonRunner = 2, Place = 3 };
extern const std::array<const char*, 4> kResultTexts;

enum class PlaceTerms : int { Fifth = 0, Quarter = 1, WinOnly = 2 };
extern const std::array<const char*, 3> kPlaceTermsTexts;

// "Win", "E/D", "W/W P/P", indexed by EachWayMode.
extern const std::array<const char*, 3> kEachWayTexts;

// The LegResult code of a row showing `result` with place terms `terms`.
int legResultFor(ResultChoice result, PlaceTerms terms);

}  // namespace quorvel
