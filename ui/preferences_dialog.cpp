#include "ui/preferences_dialog.h"

#include <array>
#include <cstddef>
#include <string_view>

#include "engine/app_state.h"
#include "engine/settle_amounts.h"
#include "resources/resource.h"

namespace quorvel {
namespace {

struct PreferenceRow {
    int edit;
    int spin;
    int lower;
    int upper;
    int AppState::*field;
    const char* warning;
};

// In the order the values are checked.
constexpr std::array<PreferenceRow, 7> kPreferenceRows{{
    {IDC_TAX_RATE, IDC_TAX_RATE_SPIN, kTaxRateMin, kTaxRateMax, &AppState::taxRatePercent,
     "Invalid tax value"},
    {IDC_L15_CONSOLATION, IDC_L15_CONSOLATION_SPIN, kConsolationMin, kConsolationMax,
     &AppState::lucky15Consolation, "Invalid L15 Consolation odds"},
    {IDC_L15_BONUS, IDC_L15_BONUS_SPIN, kBonusMin, kBonusMax, &AppState::lucky15Bonus,
     "Invalid L15 Bonus odds"},
    {IDC_L31_CONSOLATION, IDC_L31_CONSOLATION_SPIN, kConsolationMin, kConsolationMax,
     &AppState::lucky31Consolation, "Invalid L31 Consolation odds"},
    {IDC_L31_BONUS, IDC_L31_BONUS_SPIN, kBonusMin, kBonusMax, &AppState::lucky31Bonus,
     "Invalid L31 Bonus odds"},
    {IDC_L63_CONSOLATION, IDC_L63_CONSOLATION_SPIN, kConsolationMin, kConsolationMax,
     &AppState::lucky63Consolation, "Invalid L63 Consolation odds"},
    {IDC_L63_BONUS, IDC_L63_BONUS_SPIN, kBonusMin, kBonusMax, &AppState::lucky63Bonus,
     "Invalid L63 Bonus odds"},
}};

// Each box is read from its first 4 characters, so it takes no more.
constexpr WPARAM kPreferenceTextLimit = 4;

// The application object of the open dialog.
AppState* preferences = nullptr;

void createSpinControls(HWND dialog) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
    for (const PreferenceRow& row : kPreferenceRows) {
        SendDlgItemMessageA(dialog, row.edit, EM_LIMITTEXT, kPreferenceTextLimit, 0);
        CreateUpDownControl(WS_CHILD | WS_VISIBLE | WS_BORDER | UDS_SETBUDDYINT | UDS_ALIGNRIGHT,
                            50, 50, 10, 10, dialog, row.spin, instance,
                            GetDlgItem(dialog, row.edit), row.upper, row.lower,
                            preferences->*row.field);
    }
}

// Checks all seven values in table order and stores them only when every one
// is in range; otherwise warns about the first one out of range and stores
// nothing.
bool checkAndStore(HWND dialog) {
    std::array<int, kPreferenceRows.size()> values{};
    for (std::size_t i = 0; i < kPreferenceRows.size(); ++i) {
        char text[kPreferenceTextLimit + 1] = {};
        const UINT length = GetDlgItemTextA(dialog, kPreferenceRows[i].edit, text, sizeof text);
        values[i] = decimalValue(std::string_view(text, length));
    }
    for (std::size_t i = 0; i < kPreferenceRows.size(); ++i) {
        const PreferenceRow& row = kPreferenceRows[i];
        if (values[i] < row.lower || values[i] > row.upper) {
            MessageBoxA(dialog, row.warning, nullptr, MB_OK | MB_ICONWARNING);
            return false;
        }
    }
    for (std::size_t i = 0; i < kPreferenceRows.size(); ++i) {
        preferences->*kPreferenceRows[i].field = values[i];
    }
    return true;
}

}  // namespace

INT_PTR CALLBACK preferencesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            preferences = reinterpret_cast<AppState*>(lParam);
            createSpinControls(dialog);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                    if (!checkAndStore(dialog)) {
                        return FALSE;
                    }
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
