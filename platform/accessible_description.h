#pragma once

// A description a screen reader speaks after a control's name and value, such
// as why an amount is out of date. On Windows it is set through Active
// Accessibility's property services; elsewhere the view shows it.

#include "platform/win32.h"

namespace quorvel::platform {

// Windows-1252; an empty text takes the description away.
void setAccessibleDescription(HWND control, const char* description);

}  // namespace quorvel::platform
