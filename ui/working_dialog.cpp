#include "ui/working_dialog.h"

#include <array>
#include <cstring>
#include <string>

#include "platform/accessible_description.h"
#include "resources/resource.h"
#include "ui/help.h"
#include "ui/slip_reader.h"
#include "ui/working.h"

namespace quorvel {
namespace {

// What a screen reader says of the two amounts while they are out of date.
constexpr const char* kOutOfDateDescription = "out of date: press Settle";

// The working shown by the open dialog (there is one at a time: it is modal).
const WorkingText* shownText = nullptr;

// How a control follows the dialog as it is sized: the share of the extra
// width, in quarters, its left and right edges move by, and of the extra
// height its top and bottom edges move by. The two tables take the room:
// Selections a quarter of the extra height, Lines the rest; the texts below
// them and the buttons keep to the bottom (and the buttons to the right).
struct Anchor {
    int id;  // kLinesLabel for the label just before the Lines table, which has no id
    int left, top, right, bottom;
};
constexpr int kLinesLabel = 0;
constexpr std::array<Anchor, 8> kAnchors{{
    {IDC_WORKING_SLIP, 0, 0, 4, 0},
    {IDC_WORKING_LEGS, 0, 0, 4, 1},
    {kLinesLabel, 0, 1, 0, 1},
    {IDC_WORKING_LINES, 0, 1, 4, 4},
    {IDC_WORKING_NOTE, 0, 4, 4, 4},
    {IDC_WORKING_TOTALS, 0, 4, 4, 4},
    {IDC_WORKING_COPY, 4, 4, 4, 4},
    {IDCANCEL, 4, 4, 4, 4},
}};

// The open dialog as the template laid it out, which sizing starts from.
struct Sizing {
    HWND dialog = nullptr;  // nullptr while no dialog is laid out
    LONG width = 0;         // its client area
    LONG height = 0;
    POINT smallest{};  // its window's first size, the smallest it may be made
    std::array<HWND, kAnchors.size()> controls{};
    std::array<RECT, kAnchors.size()> at{};  // in the client area
};
Sizing sizing;

void rememberLayout(HWND dialog) {
    sizing = Sizing{};
    RECT client{};
    RECT window{};
    if (GetClientRect(dialog, &client) == FALSE || GetWindowRect(dialog, &window) == FALSE) {
        return;
    }
    const HWND lines = GetDlgItem(dialog, IDC_WORKING_LINES);
    for (std::size_t i = 0; i < sizing.controls.size(); ++i) {
        const HWND control = kAnchors[i].id == kLinesLabel ? GetWindow(lines, GW_HWNDPREV)
                                                           : GetDlgItem(dialog, kAnchors[i].id);
        if (control == nullptr || GetWindowRect(control, &sizing.at[i]) == FALSE) {
            return;
        }
        MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&sizing.at[i]), 2);
        sizing.controls[i] = control;
    }
    sizing.width = client.right;
    sizing.height = client.bottom;
    sizing.smallest = POINT{window.right - window.left, window.bottom - window.top};
    sizing.dialog = dialog;
}

void layOutFor(HWND dialog, LONG width, LONG height) {
    if (sizing.dialog != dialog) {
        return;  // sized as it is made, before its controls are
    }
    const LONG dx = width - sizing.width;
    const LONG dy = height - sizing.height;
    for (std::size_t i = 0; i < sizing.controls.size(); ++i) {
        const Anchor& anchor = kAnchors[i];
        const RECT& at = sizing.at[i];
        const LONG left = at.left + dx * anchor.left / 4;
        const LONG top = at.top + dy * anchor.top / 4;
        const LONG right = at.right + dx * anchor.right / 4;
        const LONG bottom = at.bottom + dy * anchor.bottom / 4;
        MoveWindow(sizing.controls[i], left, top, right - left, bottom - top, TRUE);
        InvalidateRect(sizing.controls[i], nullptr, TRUE);  // drawn whole where it now is
    }
    // A table's last column fills the table's width, as when it opened.
    SendDlgItemMessageA(dialog, IDC_WORKING_LEGS, LVM_SETCOLUMNWIDTH, kLegColumns.size() - 1,
                        LVSCW_AUTOSIZE_USEHEADER);
    SendDlgItemMessageA(dialog, IDC_WORKING_LINES, LVM_SETCOLUMNWIDTH, kLineColumns.size() - 1,
                        LVSCW_AUTOSIZE_USEHEADER);
}

void enableShowWorking(HWND mainDialog, bool enabled) {
    EnableMenuItem(GetMenu(mainDialog), ID_OPTIONS_SHOW_WORKING,
                   MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

// Draws "Total stake" and "Returns" like a disabled box's text while they
// are out of date, and gives them a description a screen reader speaks.
void showOutOfDate(HWND mainDialog, bool outOfDate) {
    lastWorking().outOfDate = outOfDate;
    for (int id : {IDC_TOTAL_STAKE, IDC_RETURNS}) {
        const HWND box = GetDlgItem(mainDialog, id);
        platform::setAccessibleDescription(box, outOfDate ? kOutOfDateDescription : "");
        InvalidateRect(box, nullptr, TRUE);  // drawn again in the colours WM_CTLCOLORSTATIC gives
    }
}

// Columns from `rightFrom` on hold amounts, which line up on the right.
void fillList(HWND dialog, int listId, const std::vector<std::string>& columns,
              std::size_t rightFrom, const TextRows& rows, bool selectFirst) {
    const HWND list = GetDlgItem(dialog, listId);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = i >= rightFrom ? LVCFMT_RIGHT : LVCFMT_LEFT;
        column.pszText = const_cast<LPSTR>(columns[i].c_str());
        column.iSubItem = static_cast<int>(i);
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(r);
        item.pszText = const_cast<LPSTR>(rows[r][0].c_str());
        const auto at = SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        for (std::size_t c = 1; c < rows[r].size(); ++c) {
            item.iSubItem = static_cast<int>(c);
            item.pszText = const_cast<LPSTR>(rows[r][c].c_str());
            SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(at),
                         reinterpret_cast<LPARAM>(&item));
        }
    }
    for (std::size_t i = 0; i < columns.size(); ++i) {
        SendMessageA(list, LVM_SETCOLUMNWIDTH, i, LVSCW_AUTOSIZE_USEHEADER);
    }
    if (selectFirst && !rows.empty()) {
        LVITEMA first{};
        first.state = first.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
        SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&first));
    }
}

void copyToClipboard(HWND owner, const std::string& text) {
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (memory == nullptr) {
        return;
    }
    if (void* bytes = GlobalLock(memory); bytes != nullptr) {
        std::memcpy(bytes, text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
    }
    if (OpenClipboard(owner) == FALSE) {
        GlobalFree(memory);
        return;
    }
    EmptyClipboard();
    if (SetClipboardData(CF_TEXT, memory) == nullptr) {
        GlobalFree(memory);  // the clipboard owns it only once it took it
    }
    CloseClipboard();
}

void initWorkingDialog(HWND dialog, const WorkingText& text) {
    shownText = &text;
    SetDlgItemTextA(dialog, IDC_WORKING_SLIP, text.slip.c_str());
    fillList(dialog, IDC_WORKING_LEGS, kLegColumns, kLegColumns.size(), text.legs, false);
    fillList(dialog, IDC_WORKING_LINES, kLineColumns, kFirstAmountColumn, text.lines, true);
    SetDlgItemTextA(dialog, IDC_WORKING_NOTE, text.note.c_str());
    std::string totals;
    for (const auto& row : text.totals) {
        totals += totals.empty() ? "" : "        ";
        totals += row[0] + ": " + row[1];
    }
    SetDlgItemTextA(dialog, IDC_WORKING_TOTALS, totals.c_str());
    SetFocus(GetDlgItem(dialog, IDC_WORKING_LINES));
}

}  // namespace

void settleRecordingWorking(AppState& app, HWND mainDialog) {
    Working& working = lastWorking();
    working.settled = false;
    const SettlementObserver observer = recordLines(working.record);
    const SlipSettlement settled = settleSlip(app, mainDialog, app.selectionCount, &observer);
    working.input = settled.input;
    working.display = settled.display;
    working.settled = true;
    showOutOfDate(mainDialog, false);
    enableShowWorking(mainDialog, true);
}

void checkSlipAgainstWorking(const AppState& app, HWND mainDialog) {
    const Working& working = lastWorking();
    if (!working.settled) {
        return;
    }
    const bool changed = !sameSlip(readSlip(app, mainDialog, app.selectionCount), working.input);
    if (changed != working.outOfDate) {
        showOutOfDate(mainDialog, changed);
    }
}

bool amountsOutOfDate() {
    return lastWorking().settled && lastWorking().outOfDate;
}

HBRUSH amountColours(HDC dc, HWND control) {
    const int id = GetDlgCtrlID(control);
    if (!amountsOutOfDate() || (id != IDC_TOTAL_STAKE && id != IDC_RETURNS)) {
        return nullptr;
    }
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}

void forgetWorking(HWND mainDialog) {
    lastWorking().settled = false;
    showOutOfDate(mainDialog, false);
    enableShowWorking(mainDialog, false);
}

void showWorking(HINSTANCE instance, HWND owner) {
    const Working& working = lastWorking();
    if (!working.settled) {
        return;
    }
    const WorkingText text = describeWorking(working);
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_WORKING), owner, workingDialogProc,
                    reinterpret_cast<LPARAM>(&text));
    shownText = nullptr;
    sizing = Sizing{};
}

INT_PTR CALLBACK workingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            initWorkingDialog(dialog, *reinterpret_cast<const WorkingText*>(lParam));
            rememberLayout(dialog);
            return FALSE;  // the focus is on the table
        case WM_GETMINMAXINFO:
            if (sizing.dialog != dialog) {
                return FALSE;  // asked as it is made: the platform's own limits
            }
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = sizing.smallest;
            return TRUE;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) {
                layOutFor(dialog, LOWORD(lParam), HIWORD(lParam));
            }
            return TRUE;
        case WM_HELP:
            openGuide(dialog, GuideSection::Working);
            return TRUE;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->code == LVN_KEYDOWN &&
                reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey == 'C' &&
                GetKeyState(VK_CONTROL) < 0 && shownText != nullptr) {
                copyToClipboard(dialog, workingClipboardText(*shownText));
            }
            return FALSE;
        }
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_WORKING_COPY:
                    if (shownText != nullptr) {
                        copyToClipboard(dialog, workingClipboardText(*shownText));
                    }
                    return TRUE;
                case IDCANCEL:
                    EndDialog(dialog, IDCANCEL);
                    return TRUE;
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}

}  // namespace quorvel
