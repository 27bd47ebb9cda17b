#pragma once

// Dialog units to pixels, as the platform's dialog manager converts a
// template's positions: a horizontal unit is a quarter of the template
// font's average character width, a vertical unit an eighth of its height.

#include "platform/core/window.h"

namespace quorvel::platform {

// The average character width the dialog manager uses, from the width in
// pixels of the 52 letters "A".."Z" "a".."z" in the template's font.
int averageCharacterWidth(int widthOf52Letters);

// A rectangle in dialog units in pixels, for a font whose average character
// width and height in pixels are baseX and baseY. Rounds as the platform
// does (halves away from zero).
Rect dialogUnitsToPixels(const Rect& units, int baseX, int baseY);

}  // namespace quorvel::platform
