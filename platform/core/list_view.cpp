// List views in report view: columns, rows of texts, one selected and
// focused row moved by the arrow and page keys, LVN_KEYDOWN to the parent.

#include <algorithm>
#include <cstring>

#include "platform/core/input.h"
#include "platform/core/state.h"

namespace quorvel::platform {
namespace {

// A report view's rows and header in dialog units, for the rows a page holds.
constexpr int kRowHeight = 9;
constexpr int kHeaderHeight = 11;

int rowCount(const Window* w) {
    return static_cast<int>(w->rows.size());
}

int firstWith(const Window* w, UINT bits) {
    for (int i = 0; i < rowCount(w); ++i) {
        if ((w->rows[static_cast<std::size_t>(i)].state & bits) != 0) {
            return i;
        }
    }
    return -1;
}

// Sets the state bits under mask of one row (or of every row for -1). A
// single-selection view keeps one row selected, and any view one focused.
bool setRowState(HWND listView, int row, UINT state, UINT mask) {
    Window* w = find(listView);
    if (row < -1 || row >= rowCount(w)) {
        return false;
    }
    mask &= LVIS_FOCUSED | LVIS_SELECTED;
    const bool one = row >= 0;
    UINT exclusive = one ? (state & mask & LVIS_FOCUSED) : 0;
    if (one && (w->style & LVS_SINGLESEL) != 0) {
        exclusive |= state & mask & LVIS_SELECTED;
    }
    bool changed = false;
    for (int i = 0; i < rowCount(w); ++i) {
        UINT& bits = w->rows[static_cast<std::size_t>(i)].state;
        UINT next = bits;
        if (!one || i == row) {
            next = (bits & ~mask) | (state & mask);
        } else {
            next = bits & ~exclusive;
        }
        changed = changed || next != bits;
        bits = next;
    }
    if (changed) {
        notify(listView, Change::RowState);
    }
    return true;
}

void moveTo(HWND listView, int row) {
    setRowState(listView, row, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
}

// The row a navigation key moves to from the focused row.
int rowAfterKey(const Window* w, WPARAM key) {
    const int last = rowCount(w) - 1;
    const int focused = firstWith(w, LVIS_FOCUSED);
    const int page = std::max(1, (w->rect.cy - kHeaderHeight) / kRowHeight - 1);
    if (focused < 0) {
        return key == VK_END ? last : 0;
    }
    switch (key) {
        case VK_UP:
            return std::max(0, focused - 1);
        case VK_DOWN:
            return std::min(last, focused + 1);
        case VK_PRIOR:
            return std::max(0, focused - page);
        case VK_NEXT:
            return std::min(last, focused + page);
        case VK_HOME:
            return 0;
        case VK_END:
            return last;
        default:
            return -1;
    }
}

std::string textOf(const LVITEMA* item) {
    return item->pszText != nullptr ? item->pszText : "";
}

bool setCell(HWND listView, int row, int column, const std::string& text) {
    Window* w = find(listView);
    if (row < 0 || row >= rowCount(w) || column < 0 ||
        column >= std::max<int>(1, static_cast<int>(w->columns.size()))) {
        return false;
    }
    auto& cells = w->rows[static_cast<std::size_t>(row)].cells;
    if (cells.size() <= static_cast<std::size_t>(column)) {
        cells.resize(static_cast<std::size_t>(column) + 1);
    }
    cells[static_cast<std::size_t>(column)] = text;
    notify(listView, Change::Rows);
    return true;
}

LRESULT insertColumn(HWND listView, WPARAM index, const LVCOLUMNA* column) {
    Window* w = find(listView);
    if (column == nullptr) {
        return -1;
    }
    ListColumn c;
    if ((column->mask & LVCF_TEXT) != 0 && column->pszText != nullptr) {
        c.text = column->pszText;
    }
    c.width = (column->mask & LVCF_WIDTH) != 0 ? column->cx : 0;
    // The first column is always left-aligned.
    const auto at = std::min(static_cast<std::size_t>(index), w->columns.size());
    c.alignRight = at > 0 && (column->mask & LVCF_FMT) != 0 && (column->fmt & 3) == LVCFMT_RIGHT;
    w->columns.insert(w->columns.begin() + static_cast<std::ptrdiff_t>(at), std::move(c));
    notify(listView, Change::Columns);
    return static_cast<LRESULT>(at);
}

LRESULT insertRow(HWND listView, const LVITEMA* item) {
    Window* w = find(listView);
    if (item == nullptr || item->iItem < 0 || item->iSubItem != 0) {
        return -1;
    }
    const auto at = std::min(static_cast<std::size_t>(item->iItem), w->rows.size());
    ListRow row;
    row.cells.push_back((item->mask & LVIF_TEXT) != 0 ? textOf(item) : std::string());
    w->rows.insert(w->rows.begin() + static_cast<std::ptrdiff_t>(at), std::move(row));
    notify(listView, Change::Rows);
    if ((item->mask & LVIF_STATE) != 0) {
        setRowState(listView, static_cast<int>(at), item->state, item->stateMask);
    }
    return static_cast<LRESULT>(at);
}

LRESULT nextRow(const Window* w, int start, UINT flags) {
    for (int i = std::max(0, start + 1); i < rowCount(w); ++i) {
        const UINT bits = w->rows[static_cast<std::size_t>(i)].state;
        if ((bits & flags) == (flags & (LVNI_FOCUSED | LVNI_SELECTED))) {
            return i;
        }
    }
    return -1;
}

}  // namespace

LRESULT CALLBACK listViewProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* w = find(window);
    if (w == nullptr) {
        return 0;
    }
    auto* item = reinterpret_cast<LVITEMA*>(lParam);
    switch (message) {
        case LVM_INSERTCOLUMNA:
            return insertColumn(window, wParam, reinterpret_cast<const LVCOLUMNA*>(lParam));
        case LVM_SETCOLUMNWIDTH: {
            // LVSCW_AUTOSIZE_USEHEADER is kept as it is: the view fits the
            // column to its texts and its header.
            const auto column = static_cast<std::size_t>(wParam);
            if (column >= w->columns.size()) {
                return FALSE;
            }
            const int width = static_cast<short>(LOWORD(lParam));
            if (w->columns[column].width != width) {
                w->columns[column].width = width;
                notify(window, Change::Columns);
            }
            return TRUE;
        }
        case LVM_INSERTITEMA:
            return insertRow(window, item);
        case LVM_SETITEMTEXTA:
            return item != nullptr &&
                   setCell(window, static_cast<int>(wParam), item->iSubItem, textOf(item));
        case LVM_GETITEMTEXTA: {
            const int row = static_cast<int>(wParam);
            if (item == nullptr || row < 0 || row >= rowCount(w) || item->pszText == nullptr ||
                item->cchTextMax <= 0) {
                return 0;
            }
            const auto& cells = w->rows[static_cast<std::size_t>(row)].cells;
            const auto column = static_cast<std::size_t>(std::max(0, item->iSubItem));
            return copyText(column < cells.size() ? cells[column] : std::string(),
                            static_cast<WPARAM>(item->cchTextMax),
                            reinterpret_cast<LPARAM>(item->pszText));
        }
        case LVM_GETITEMCOUNT:
            return rowCount(w);
        case LVM_DELETEALLITEMS:
            if (!w->rows.empty()) {
                w->rows.clear();
                notify(window, Change::Rows);
            }
            return TRUE;
        case LVM_SETITEMSTATE:
            return item != nullptr &&
                   setRowState(window, static_cast<int>(wParam), item->state, item->stateMask);
        case LVM_GETITEMSTATE: {
            const int row = static_cast<int>(wParam);
            return row < 0 || row >= rowCount(w)
                       ? 0
                       : w->rows[static_cast<std::size_t>(row)].state & static_cast<UINT>(lParam);
        }
        case LVM_GETNEXTITEM:
            return nextRow(w, static_cast<int>(wParam), LOWORD(lParam));
        case LVM_SETEXTENDEDLISTVIEWSTYLE: {
            const DWORD previous = w->listExStyle;
            const auto mask = wParam != 0 ? static_cast<DWORD>(wParam) : ~DWORD{0};
            w->listExStyle = (previous & ~mask) | (static_cast<DWORD>(lParam) & mask);
            return previous;
        }
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_KEYDOWN: {
            NMLVKEYDOWN key{
                {window, static_cast<UINT_PTR>(w->id), LVN_KEYDOWN}, static_cast<WORD>(wParam), 0};
            SendMessageA(w->parent, WM_NOTIFY, static_cast<WPARAM>(w->id),
                         reinterpret_cast<LPARAM>(&key));
            if (Window* still = find(window); still != nullptr) {
                if (const int row = rowAfterKey(still, wParam); row >= 0) {
                    moveTo(window, row);
                }
            }
            return 0;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_CHAR:
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

namespace input {

bool clickListRow(HWND listView, int row) {
    Window* w = find(listView);
    if (w == nullptr || w->kind != ControlKind::ListView || !takesInput(listView)) {
        return false;
    }
    SetFocus(listView);
    if (row >= 0 && row < rowCount(find(listView))) {
        moveTo(listView, row);
    }
    return true;
}

}  // namespace input
}  // namespace quorvel::platform
