#pragma once

// Dialog units, as the platform's dialog manager turns them into pixels: a
// horizontal unit is a quarter of the template font's average character
// width, a vertical unit an eighth of its height.

#include <QFont>
#include <QRect>
#include <string>

#include "platform/core/window.h"

namespace quorvel::platform::qt {

struct BaseUnits {
    int x = 0;  // average character width in pixels
    int y = 0;  // character height in pixels
};

// The font a template asks for. "MS Sans Serif" (and the shell dialog
// aliases) become the desktop's own sans-serif face; the point size is kept,
// so the pixels follow the screen's resolution. No size means 8 points.
QFont dialogFont(const std::string& faceName, int pointSize);

BaseUnits baseUnitsOf(const QFont& font);

// value * numerator / denominator, rounded half away from zero.
int mulDiv(int value, int numerator, int denominator);

QRect toPixels(const Rect& dialogUnits, BaseUnits units);

}  // namespace quorvel::platform::qt
