#include "ui/preferences_dialog.h"

#include <array>
#include <cstddef>
#include <string_view>

#include "engine/preferences.h"
#include "engine/settle_amounts.h"
#include "resources/resource.h"
#include "ui/app_state.h"
#include "ui/help.h"
#include "ui/kept_preferences.h"

namespace quorvel {
namespace {

// The edit box and spin control of each preference, in kPreferenceFields order.
struct PreferenceControls {
    int edit;
    int spin;
};
constexpr std::array<PreferenceControls, kPreferenceFields.size()> kPreferenceControls{{
    {IDC_TAX_RATE, IDC_TAX_RATE_SPIN},
    {IDC_L15_CONSOLATION, IDC_L15_CONSOLATION_SPIN},
    {IDC_L15_BONUS, IDC_L15_BONUS_SPIN},
    {IDC_L31_CONSOLATION, IDC_L31_CONSOLATION_SPIN},
    {IDC_L31_BONUS, IDC_L31_BONUS_SPIN},
    {IDC_L63_CONSOLATION, IDC_L63_CONSOLATION_SPIN},
    {IDC_L63_BONUS, IDC_L63_BONUS_SPIN},
}};

// Each box is read from its first 4 characters, so it takes no more.
constexpr WPARAM kPreferenceTextLimit = 4;

// The application object of the open dialog.
AppState* application = nullptr;

void createSpinControls(HWND dialog) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
    for (std::size_t i = 0; i < kPreferenceFields.size(); ++i) {
        const PreferenceField& field = kPreferenceFields[i];
        const PreferenceControls& controls = kPreferenceControls[i];
        SendDlgItemMessageA(dialog, controls.edit, EM_LIMITTEXT, kPreferenceTextLimit, 0);
        CreateUpDownControl(WS_CHILD | WS_VISIBLE | WS_BORDER | UDS_SETBUDDYINT | UDS_ALIGNRIGHT,
                            50, 50, 10, 10, dialog, controls.spin, instance,
                            GetDlgItem(dialog, controls.edit), field.max, field.min,
                            application->preferences.*field.value);
    }
}

// Checks all seven values in table order and stores them only when every one
// is in range; otherwise warns about the first one out of range and stores
// nothing.
bool checkAndStore(HWND dialog) {
    std::array<int, kPreferenceFields.size()> values{};
    for (std::size_t i = 0; i < kPreferenceFields.size(); ++i) {
        char text[kPreferenceTextLimit + 1] = {};
        const UINT length = GetDlgItemTextA(dialog, kPreferenceControls[i].edit, text, sizeof text);
        values[i] = decimalValue(std::string_view(text, length));
    }
    for (std::size_t i = 0; i < kPreferenceFields.size(); ++i) {
        const PreferenceField& field = kPreferenceFields[i];
        if (values[i] < field.min || values[i] > field.max) {
            MessageBoxA(dialog, field.warning, nullptr, MB_OK | MB_ICONWARNING);
            return false;
        }
    }
    for (std::size_t i = 0; i < kPreferenceFields.size(); ++i) {
        application->preferences.*kPreferenceFields[i].value = values[i];
    }
    return true;
}

// Keeps the stored preferences for the next start, or removes what was kept,
// as "Keep these preferences" says. They are in use for this run either way.
void keepOrRemove(HWND dialog) {
    const bool keep = IsDlgButtonChecked(dialog, IDC_KEEP_PREFERENCES) == BST_CHECKED;
    application->keepPreferences = keep ? 1 : 0;
    if (keep && !keepPreferences(application->preferences)) {
        MessageBoxA(dialog,
                    "These preferences could not be kept for the next start. They are used "
                    "until Quorvel closes.",
                    nullptr, MB_OK | MB_ICONWARNING);
    } else if (!keep && !forgetPreferences()) {
        MessageBoxA(dialog,
                    "The preferences kept before could not be removed, so the next start "
                    "may use them again. These are used until Quorvel closes.",
                    nullptr, MB_OK | MB_ICONWARNING);
    }
}

}  // namespace

INT_PTR CALLBACK preferencesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            application = reinterpret_cast<AppState*>(lParam);
            createSpinControls(dialog);
            CheckDlgButton(dialog, IDC_KEEP_PREFERENCES,
                           application->keepPreferences != 0 ? BST_CHECKED : BST_UNCHECKED);
            return TRUE;
        case WM_HELP:
            openGuide(dialog, GuideSection::Preferences);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                    if (!checkAndStore(dialog)) {
                        return FALSE;
                    }
                    keepOrRemove(dialog);
                    EndDialog(dialog, 1);
                    return TRUE;
                case IDCANCEL:
                    EndDialog(dialog, 1);
                    return TRUE;
                default:
                    return TRUE;
            }
        default:
            return FALSE;
    }
}

}  // namespace quorvel
