#pragma once

#include <array>

namespace quorvel {

// A leg's result code. Codes 1, 2 and 6 are winners, 3 and 4 placed; any
// other value settles as lost.
enum LegResult : int {
    Lost = 0,
    WonFifth = 1,
    WonQuarter = 2,
    PlacedFifth = 3,
    PlacedQuarter = 4,
    NonRunner = 5,
    WonWinOnly = 6,
};

inline constexpr bool isWinner(int result) {
    return result == WonFifth || result == WonQuarter || result == WonWinOnly;
}

struct Leg {
    int result;         // a LegResult code
    double price;       // decimal odds: winnings per unit staked
    double placePrice;  // copy of price taken when the slip is read; the place part pays on it
    int rule4;          // deduction in pence per pound of winnings, 0..75
};

enum class EachWayMode : int { Win = 0, Ed = 1, Wwpp = 2 };

inline constexpr int kMaxSelections = 6;

struct BetSlip {
    int selectionCount;  // 1..6
    int betIndex;        // position in the "Bet" list; -1 when nothing is selected
    EachWayMode eachWayMode;
    int unitStake;  // whole pence per line
    std::array<Leg, kMaxSelections> legs;
};

}  // namespace quorvel
