#pragma once

namespace quorvel {

inline constexpr double kRoundPenceBound = 4294967295.0;

// Makes an amount whole, a half going up. Amounts above 4294967295 are passed
// unchanged; amounts below zero (and NaN) give 0.
double roundPence(double x);

}  // namespace quorvel
