#pragma once

// The bet types offered for each number of selections, in "Bet" list order,
// and the lines each one is settled as, in canonical order. One table serves
// all three settlement modes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace quorvel {

enum class LineKind : std::uint8_t {
    Single,       // legs[0]
    Multiple,     // legs[0..legCount), ascending, 2 to 6 legs
    StakesAbout,  // legs[0] → legs[1]: a single on the first, any to come onto the second
};

struct BetLine {
    LineKind kind;
    std::uint8_t legCount;
    std::array<std::uint8_t, 6> legs;  // leg numbers 1..6 (row order)
    std::uint8_t legSet;               // the same legs as a set: bit k - 1 for leg k
};

// The most lines a bet has: Lucky 63.
inline constexpr std::size_t kMaxLinesPerBet = 63;

struct BetType {
    const char* text;  // the "Bet" list entry
    std::span<const BetLine> lines;
    // Bit s for every leg set s that the lines are worked out from: the set of
    // each single and multiple with its leading sets (1-2-4 leads with 1-2 and 1),
    // and the two singles of each stakes-about half.
    std::uint64_t workedSets;
    bool stakesAbout;  // the bet has stakes-about halves ("Round-Robin", "Flag")
};

// The entries for `selectionCount` selections in list order; empty outside 1..6.
std::span<const BetType> betTypes(int selectionCount);

// The entry selected when the list is filled for that count; -1 outside 1..6.
int defaultBetIndex(int selectionCount);

// The bet settled for (selectionCount, betIndex), or nullptr when that pair has
// no lines. With one selection every index means the single.
const BetType* findBetType(int selectionCount, int betIndex);

// 4, 5 or 6 for "Lucky 15", "Lucky 31" and "Lucky 63"; 0 for every other pair.
int luckySelections(int selectionCount, int betIndex);

}  // namespace quorvel
