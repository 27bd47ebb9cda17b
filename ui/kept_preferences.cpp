#include "ui/kept_preferences.h"

#include "platform/win32.h"
#include "ui/app_state.h"

namespace quorvel {
namespace {

constexpr const char* kKey = "Software\\Quorvel";
// The tick of "Keep these preferences", kept with the values it keeps.
constexpr const char* kKeepValue = "keep";

// A REG_DWORD of 4 bytes, or nothing.
bool readNumber(HKEY key, const char* name, int& number) {
    DWORD type = REG_NONE;
    DWORD data = 0;
    DWORD size = sizeof data;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(&data), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof data) {
        return false;
    }
    number = static_cast<int>(static_cast<LONG>(data));
    return true;
}

bool writeNumber(HKEY key, const char* name, int number) {
    const DWORD data = static_cast<DWORD>(number);
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                          sizeof data) == ERROR_SUCCESS;
}

}  // namespace

void loadKeptPreferences(AppState& application) {
    application.keepPreferences = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return;
    }
    for (const PreferenceField& field : kPreferenceFields) {
        int value = 0;
        if (readNumber(key, field.name, value) && value >= field.min && value <= field.max) {
            application.preferences.*field.value = value;
        }
    }
    int keep = 0;
    application.keepPreferences = readNumber(key, kKeepValue, keep) && keep == 1 ? 1 : 0;
    RegCloseKey(key);
}

bool keepPreferences(const Preferences& preferences) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    bool kept = true;
    for (const PreferenceField& field : kPreferenceFields) {
        kept = kept && writeNumber(key, field.name, preferences.*field.value);
    }
    kept = kept && writeNumber(key, kKeepValue, 1);
    RegCloseKey(key);
    return kept;
}

bool forgetPreferences() {
    const LSTATUS status = RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace quorvel
