#include "ui/working_dialog.h"

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
}

INT_PTR CALLBACK workingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            initWorkingDialog(dialog, *reinterpret_cast<const WorkingText*>(lParam));
            return FALSE;  // the focus is on the table
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
