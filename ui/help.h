#pragma once

// The user's guide: an HTML file installed with the program, opened in the desktop's browser,
// at the start or at one window's section.

#include "platform/win32.h"

namespace quorvel {

// The parts of the guide F1 opens, one for each window; Contents opens it at the start.
enum class GuideSection { Contents, MainWindow, Preferences, PlaceOdds, Working };

// The name of a section's anchor in the guide ("preferences"); empty for Contents.
const char* guideAnchor(GuideSection section);

// Opens the guide at `section` in the desktop's browser. When the guide or a browser is
// missing, a message box owned by `owner` says where the guide should be, and nothing else
// happens.
void openGuide(HWND owner, GuideSection section);

}  // namespace quorvel
