#pragma once

// The one application object of the window: the preferences it settles with,
// the state of its lists and its handles.

#include "engine/preferences.h"
#include "platform/win32.h"

namespace quorvel {

// Static, zero-filled at process start; the main window sets the preferences
// to their start values when it is created.
struct AppState {
    Preferences preferences;
    int placeListed;     // the result lists carry "Place"
    int selectionCount;  // the "Selections" button checked, 1..6
    HINSTANCE instance;
    HWND mainDialog;
    int keepPreferences;  // "Keep these preferences" is ticked: they are kept between runs
};

}  // namespace quorvel
