#pragma once

#include <cstdint>

namespace quorvel {

inline constexpr double kRoundPenceBound = 4294967295.0;

// Makes an amount whole, a half going up. Amounts above 4294967295 are passed
// unchanged; amounts below zero (and NaN) give 0. Inline: every line of a bet
// goes through it.
inline double roundPence(double x) {
    if (x > kRoundPenceBound) {
        return x;
    }
    // Negative amounts and NaN never reach the unsigned conversion.
    if (!(x >= 0.0)) {
        return 0.0;
    }
    return static_cast<double>(static_cast<std::uint32_t>(x + 0.5));
}

}  // namespace quorvel
