#include "engine/round_pence.h"

#include <cstdint>

namespace quorvel {

double roundPence(double x) {
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
