#pragma once

// The template font on the desktop, and its base units for the core's
// dialog-unit conversion (platform/core/dialog_units.h).

#include <QFont>
#include <QRect>
#include <QStringList>
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

QRect toPixels(const Rect& dialogUnits, BaseUnits units);
// The size in dialog units nearest to a size in pixels; toPixels of it gives
// the pixels back to within a pixel.
QSize toDialogUnits(QSize pixels, BaseUnits units);

// The font, narrowed (a condensed width of the face, then a smaller size)
// just enough that the widest of texts takes no more than width pixels. The
// templates' rectangles were made for a narrower face than the desktop's.
QFont fittingFont(const QFont& font, const QStringList& texts, int width);

}  // namespace quorvel::platform::qt
