#include "ui/place_odds_dialog.h"

#include <array>
#include <cstddef>

#include "resources/resource.h"
#include "ui/help.h"

namespace quorvel {
namespace {

struct FieldSize {
    const char* runners;  // the "Runners" list item
    const char* terms;    // shown on "Tell Me!"
};

// In list order; the position is the key. "(H)" marks handicaps.
constexpr std::array<FieldSize, 5> kFieldSizes{{
    {"2-4", "Win Only"},
    {"5-7", "1st & 2nd, 1/4 odds"},
    {"8+", "1st, 2nd & 3rd, 1/5 odds"},
    {"12-15 (H)", "1st, 2nd & 3rd, 1/4 odds"},
    {"16+ (H)", "1st, 2nd, 3rd & 4th, 1/4 odds"},
}};

void fillRunnersList(HWND dialog) {
    SendDlgItemMessageA(dialog, IDC_PLACE_ODDS_RUNNERS, CB_RESETCONTENT, 0, 0);
    for (const FieldSize& size : kFieldSizes) {
        SendDlgItemMessageA(dialog, IDC_PLACE_ODDS_RUNNERS, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(size.runners));
    }
    SendDlgItemMessageA(dialog, IDC_PLACE_ODDS_RUNNERS, CB_SELECTSTRING, 0,
                        reinterpret_cast<LPARAM>(kFieldSizes[0].runners));
}

void showTerms(HWND dialog) {
    const LRESULT position =
        SendDlgItemMessageA(dialog, IDC_PLACE_ODDS_RUNNERS, CB_GETCURSEL, 0, 0);
    if (position >= 0 && position < static_cast<LRESULT>(kFieldSizes.size())) {
        SetDlgItemTextA(dialog, IDC_PLACE_ODDS_TERMS,
                        kFieldSizes[static_cast<std::size_t>(position)].terms);
    }
}

}  // namespace

INT_PTR CALLBACK placeOddsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    switch (message) {
        case WM_INITDIALOG:
            fillRunnersList(dialog);
            return TRUE;
        case WM_HELP:
            openGuide(dialog, GuideSection::PlaceOdds);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_PLACE_ODDS_TELL_ME:
                    showTerms(dialog);
                    break;
                case IDC_PLACE_ODDS_CLOSE:
                case IDCANCEL:
                    EndDialog(dialog, 1);
                    break;
                default:
                    break;
            }
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace quorvel
