#include "platform/core/dialog_units.h"

#include <cstdlib>

namespace quorvel::platform {
namespace {

// a × b / c rounded to the nearest whole number, halves away from zero.
int mulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = std::llabs(c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const long long magnitude = (std::llabs(product) + half) / std::llabs(c);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

}  // namespace

int averageCharacterWidth(int widthOf52Letters) {
    return (widthOf52Letters / 26 + 1) / 2;
}

Rect dialogUnitsToPixels(const Rect& units, int baseX, int baseY) {
    if (baseX <= 0 || baseY <= 0) {
        return Rect{};
    }
    return Rect{mulDiv(units.x, baseX, 4), mulDiv(units.y, baseY, 8), mulDiv(units.cx, baseX, 4),
                mulDiv(units.cy, baseY, 8)};
}

}  // namespace quorvel::platform
