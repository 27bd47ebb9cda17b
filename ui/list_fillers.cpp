#include "ui/list_fillers.h"

#include <span>

#include "engine/catalogue.h"
#include "engine/selection_terms.h"
#include "resources/resource.h"

namespace quorvel {
namespace {

void fillList(HWND dialog, int listId, std::span<const char* const> texts, int selected) {
    SendDlgItemMessageA(dialog, listId, CB_RESETCONTENT, 0, 0);
    for (const char* text : texts) {
        SendDlgItemMessageA(dialog, listId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendDlgItemMessageA(dialog, listId, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

}  // namespace

void fillResultList(HWND dialog, int listId) {
    // "Place" is appended only while an each-way mode is chosen.
    fillList(dialog, listId, std::span(kResultTexts).first(3), 0);
}

void fillPriceList(HWND dialog, int listId) {
    fillList(dialog, listId, kPriceTexts, 0);
}

void fillRule4List(HWND dialog, int listId) {
    fillList(dialog, listId, kRule4Texts, 0);
}

void fillPlaceTermsList(HWND dialog, int listId) {
    fillList(dialog, listId, kPlaceTermsTexts, 0);
}

void fillBetList(HWND dialog, int selectionCount) {
    SendDlgItemMessageA(dialog, IDC_BET, CB_RESETCONTENT, 0, 0);
    const std::span<const BetType> types = betTypes(selectionCount);
    if (types.empty()) {
        return;
    }
    for (const BetType& type : types) {
        SendDlgItemMessageA(dialog, IDC_BET, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(type.text));
    }
    SendDlgItemMessageA(dialog, IDC_BET, CB_SETCURSEL,
                        static_cast<WPARAM>(defaultBetIndex(selectionCount)), 0);
}

}  // namespace quorvel
