#include "ui/main_dialog.h"

#include <array>

#include "engine/selection_terms.h"
#include "resources/resource.h"
#include "ui/about_dialog.h"
#include "ui/app_shell.h"
#include "ui/help.h"
#include "ui/list_fillers.h"
#include "ui/place_odds_dialog.h"
#include "ui/preferences_dialog.h"
#include "ui/selection_rows.h"
#include "ui/slip_reader.h"
#include "ui/working_dialog.h"

namespace quorvel {
namespace {

// The "No of Selections" buttons for 1 to 6 selections.
constexpr std::array<int, 6> kCountButtons{IDC_SELECTIONS_1, IDC_SELECTIONS_2, IDC_SELECTIONS_3,
                                           IDC_SELECTIONS_4, IDC_SELECTIONS_5, IDC_SELECTIONS_6};

// The "Stake (pence per unit)" box is read from its first 7 characters, so it
// takes no more.
constexpr WPARAM kStakeTextLimit = 7;

LRESULT listMessage(int listId, UINT message, WPARAM wParam, LPARAM lParam = 0) {
    return SendDlgItemMessageA(appState.mainDialog, listId, message, wParam, lParam);
}

LRESULT addItem(int listId, const char* text) {
    return listMessage(listId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

// Selects the first item starting with `text`, searching from the top.
void selectItem(int listId, const char* text) {
    listMessage(listId, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
}

void enable(int controlId, bool enabled) {
    EnableWindow(GetDlgItem(appState.mainDialog, controlId), enabled ? TRUE : FALSE);
}

void checkSelectionCountOne() {
    for (int button : kCountButtons) {
        CheckDlgButton(appState.mainDialog, button,
                       button == IDC_SELECTIONS_1 ? BST_CHECKED : BST_UNCHECKED);
    }
}

// Every row's result, price and Rule 4 list, each column for all six rows in turn.
void fillResultPriceAndRule4Lists(HWND dialog) {
    for (const SelectionRow& row : kSelectionRows) {
        fillResultList(dialog, row.result);
    }
    for (const SelectionRow& row : kSelectionRows) {
        fillPriceList(dialog, row.price);
    }
    for (const SelectionRow& row : kSelectionRows) {
        fillRule4List(dialog, row.rule4);
    }
}

void openDialog(int templateId, DLGPROC procedure, LPARAM parameter) {
    DialogBoxParamA(appState.instance, MAKEINTRESOURCEA(templateId), appState.mainDialog, procedure,
                    parameter);
}

}  // namespace

void initMainDialog() {
    HWND dialog = appState.mainDialog;
    SendDlgItemMessageA(dialog, IDC_STAKE, EM_LIMITTEXT, kStakeTextLimit, 0);
    checkSelectionCountOne();
    CheckDlgButton(dialog, IDC_TAX_PAID, BST_CHECKED);

    listMessage(IDC_EACH_WAY, CB_RESETCONTENT, 0);
    for (const char* text : kEachWayTexts) {
        addItem(IDC_EACH_WAY, text);
    }
    selectItem(IDC_EACH_WAY, kEachWayTexts[static_cast<int>(EachWayMode::Win)]);

    fillResultPriceAndRule4Lists(dialog);
    for (const SelectionRow& row : kSelectionRows) {
        fillPlaceTermsList(dialog, row.placeTerms);
    }
    fillBetList(dialog, 1);
    enableRows(1);
}

LRESULT onMainCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    switch (id) {
        case IDC_SELECTIONS_1:
        case IDC_SELECTIONS_2:
        case IDC_SELECTIONS_3:
        case IDC_SELECTIONS_4:
        case IDC_SELECTIONS_5:
        case IDC_SELECTIONS_6:
            for (int n = 1; n <= 6; ++n) {
                if (kCountButtons[static_cast<std::size_t>(n - 1)] == id) {
                    onSelectionCount(n);
                }
            }
            return 0;
        case IDC_EACH_WAY:
            return onEachWayChange(wParam, lParam);
        case IDC_CLEAR:
            clearSlip();
            forgetWorking(appState.mainDialog);
            break;
        case IDC_SETTLE:
            settleRecordingWorking(appState, appState.mainDialog);
            return 0;
        case IDC_RESULT_1:
        case IDC_RESULT_2:
        case IDC_RESULT_3:
        case IDC_RESULT_4:
        case IDC_RESULT_5:
        case IDC_RESULT_6:
            for (int row = 1; row <= kRowCount; ++row) {
                if (kSelectionRows[static_cast<std::size_t>(row - 1)].result == id) {
                    updateRow(row);
                }
            }
            break;
        case ID_OPTIONS_EXIT:
            SendMessageA(appState.mainDialog, WM_CLOSE, 0, 0);
            return 0;
        case ID_HELP_CONTENTS:
            openGuide(appState.mainDialog, GuideSection::Contents);
            return 0;
        case ID_HELP_ABOUT:
            openDialog(IDD_ABOUT, aboutDialogProc, 0);
            return 0;
        case ID_OPTIONS_PREFERENCES:
            openDialog(IDD_PREFERENCES, preferencesDialogProc, reinterpret_cast<LPARAM>(&appState));
            return 0;
        case ID_OPTIONS_PLACE_ODDS:
            openDialog(IDD_PLACE_ODDS, placeOddsDialogProc, 0);
            return 0;
        case ID_OPTIONS_SHOW_WORKING:
            showWorking(appState.instance, appState.mainDialog);
            return 0;
        default:
            break;
    }
    return DefDlgProcA(appState.mainDialog, WM_COMMAND, wParam, lParam);
}

void onSelectionCount(int n) {
    if (appState.selectionCount == n) {
        return;
    }
    appState.selectionCount = n;
    enableRows(n);
    fillBetList(appState.mainDialog, n);
}

LRESULT onEachWayChange(WPARAM wParam, LPARAM lParam) {
    const LRESULT mode = listMessage(IDC_EACH_WAY, CB_GETCURSEL, 0);
    const char* place = kResultTexts[static_cast<int>(ResultChoice::Place)];
    if (mode == static_cast<int>(EachWayMode::Ed) || mode == static_cast<int>(EachWayMode::Wwpp)) {
        if (appState.placeListed != 0) {
            return 0;
        }
        for (const SelectionRow& row : kSelectionRows) {
            addItem(row.result, place);
        }
        appState.placeListed = 1;
    } else {
        if (appState.placeListed == 0) {
            return 0;
        }
        const LRESULT placePosition =
            listMessage(kSelectionRows[0].result, CB_FINDSTRING, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(place));
        for (const SelectionRow& row : kSelectionRows) {
            if (listMessage(row.result, CB_GETCURSEL, 0) == placePosition) {
                selectItem(row.result, kResultTexts[static_cast<int>(ResultChoice::Lost)]);
            }
        }
        for (const SelectionRow& row : kSelectionRows) {
            listMessage(row.result, CB_DELETESTRING, static_cast<WPARAM>(placePosition));
        }
        appState.placeListed = 0;
    }
    enableRows(appState.selectionCount);
    return DefDlgProcA(appState.mainDialog, WM_COMMAND, wParam, lParam);
}

void clearSlip() {
    HWND dialog = appState.mainDialog;
    appState.placeListed = 0;
    appState.selectionCount = 1;
    selectItem(IDC_EACH_WAY, kEachWayTexts[static_cast<int>(EachWayMode::Win)]);
    checkSelectionCountOne();
    CheckDlgButton(dialog, IDC_TAX_PAID, BST_CHECKED);
    // Refilling the result lists also takes "Place" out of them.
    fillResultPriceAndRule4Lists(dialog);
    for (const SelectionRow& row : kSelectionRows) {
        CheckDlgButton(dialog, row.oddsOn, BST_UNCHECKED);
    }
    SetDlgItemTextA(dialog, IDC_STAKE, "");
    SetDlgItemTextA(dialog, IDC_TOTAL_STAKE, "");
    SetDlgItemTextA(dialog, IDC_RETURNS, "");
    for (const SelectionRow& row : kSelectionRows) {
        selectItem(row.placeTerms, kPlaceTermsTexts[static_cast<int>(PlaceTerms::Fifth)]);
    }
    enableRows(1);
    fillBetList(dialog, 1);
}

void enableRows(int n) {
    for (const SelectionRow& row : kSelectionRows) {
        for (int id : {row.result, row.price, row.placeTerms, row.oddsOn, row.rule4}) {
            enable(id, false);
        }
    }
    for (int row = 1; row <= n && row <= kRowCount; ++row) {
        enable(kSelectionRows[static_cast<std::size_t>(row - 1)].result, true);
    }
    // Each result list's own handler brings its row into line, synchronously.
    for (const SelectionRow& row : kSelectionRows) {
        SendMessageA(appState.mainDialog, WM_COMMAND, MAKEWPARAM(row.result, 0), 0);
    }
}

void updateRow(int row) {
    if (!isRowNumber(row)) {
        return;
    }
    const SelectionRow& ids = kSelectionRows[static_cast<std::size_t>(row - 1)];
    const LRESULT result = listMessage(ids.result, CB_GETCURSEL, 0);
    const bool lostOrNonRunner = result == static_cast<int>(ResultChoice::Lost) ||
                                 result == static_cast<int>(ResultChoice::NonRunner);
    if (lostOrNonRunner || row > appState.selectionCount) {
        for (int id : {ids.price, ids.oddsOn, ids.rule4, ids.placeTerms}) {
            enable(id, false);
        }
    } else if (result == static_cast<int>(ResultChoice::Won) ||
               result == static_cast<int>(ResultChoice::Place)) {
        for (int id : {ids.price, ids.oddsOn, ids.rule4}) {
            enable(id, true);
        }
        if (appState.placeListed == 1) {
            enable(ids.placeTerms, true);
        }
    }
}

}  // namespace quorvel
