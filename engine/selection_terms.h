#pragma once

// The vocabulary of a selection row: the texts of its four lists in list
// order, the values behind them, and how a result and place terms become a
// LegResult code. Texts are Windows-1252 ("\xA3" is the pound sign).

#include <array>

#include "engine/bet_slip.h"

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

// What a LegResult code shows on a row: the reverse of legResultFor. Every
// code that settles as lost reads back as "Lost" on 1/5 terms.
struct LegDescription {
    ResultChoice result;
    PlaceTerms terms;
};
LegDescription describeLegResult(int code);

// A selection row's choices, as positions in its lists and the odds-on box.
struct LegChoices {
    ResultChoice result = ResultChoice::Lost;
    PlaceTerms terms = PlaceTerms::Fifth;
    int priceIndex = 0;   // off the price list the leg is priced at 0
    bool oddsOn = false;  // the price is taken the other way round: 4/6 for 6/4
    int rule4 = 0;        // pence per pound of winnings
};

// The leg a row's choices settle as; the place part pays on the same price. Inline: the leg is
// then built where it goes, not in a temporary copied over in wider pieces than it was
// written in (a copy that waits for the writes to reach the cache).
inline Leg makeLeg(const LegChoices& choices) {
    double price = 0.0;
    if (choices.priceIndex >= 0 && choices.priceIndex < kPriceCount) {
        price = PriceLadder[static_cast<std::size_t>(choices.priceIndex)];
        if (choices.oddsOn) {
            price = 1.0 / price;
        }
    }
    return Leg{legResultFor(choices.result, choices.terms), price, price, choices.rule4};
}

}  // namespace quorvel
