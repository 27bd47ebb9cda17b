#pragma once

// The preferences a user asked to keep ("Keep these preferences"), in the
// registry under HKEY_CURRENT_USER\Software\Quorvel.

#include "engine/preferences.h"

namespace quorvel {

struct AppState;

// Reads back what was kept into the application object: each preference
// that is missing, unreadable, of the wrong type or out of its range keeps
// the value it has, and the others still load. Sets keepPreferences when the
// "Keep" tick was kept. Reports nothing.
void loadKeptPreferences(AppState& application);

// Keeps the seven preferences and the tick; false when they could not be kept.
bool keepPreferences(const Preferences& preferences);

// Removes all that was kept; false when something kept could not be removed.
bool forgetPreferences();

}  // namespace quorvel
