// Drop-down lists (CBS_DROPDOWNLIST): a list the user picks from, no typing.

#include <cstring>

#include "platform/core/code_page.h"
#include "platform/core/state.h"

namespace quorvel::platform {
namespace {

int count(const Window* w) {
    return static_cast<int>(w->items.size());
}

void setCurrent(HWND comboBox, int index) {
    Window* w = find(comboBox);
    if (w->current != index) {
        w->current = index;
        notify(comboBox, Change::CurrentItem);
    }
}

// The first item after `after` (-1: from the top) whose text begins with
// prefix, ignoring case, wrapping around to the start; CB_ERR when none does.
LRESULT findPrefix(const Window* w, WPARAM after, LPARAM text) {
    const char* prefix = reinterpret_cast<const char*>(text);
    const int n = count(w);
    // An empty text matches nothing, as in the platform's list.
    if (prefix == nullptr || *prefix == '\0' || n == 0) {
        return CB_ERR;
    }
    int start = static_cast<int>(after);
    if (start < 0 || start >= n) {
        start = -1;
    }
    for (int step = 1; step <= n; ++step) {
        const int i = (start + step) % n;
        if (startsWithIgnoringCase(w->items[static_cast<std::size_t>(i)], prefix)) {
            return i;
        }
    }
    return CB_ERR;
}

// A change of the current item made from the keyboard on a closed list.
void keyboardChoice(HWND comboBox, int index) {
    Window* w = find(comboBox);
    if (index < 0 || index >= count(w) || index == w->current) {
        return;
    }
    setCurrent(comboBox, index);
    if (!find(comboBox)->dropped) {
        notifyParent(comboBox, CBN_SELENDOK);
    }
    notifyParent(comboBox, CBN_SELCHANGE);
}

LRESULT addString(HWND comboBox, LPARAM text) {
    Window* w = find(comboBox);
    const std::string item = text != 0 ? reinterpret_cast<const char*>(text) : "";
    std::size_t at = w->items.size();
    if ((w->style & CBS_SORT) != 0) {
        at = 0;
        while (at < w->items.size()) {
            const std::string& other = w->items[at];
            if (compareIgnoringCase(other, item) > 0) {
                break;
            }
            ++at;
        }
        if (w->current >= static_cast<int>(at)) {
            ++w->current;
        }
    }
    w->items.insert(w->items.begin() + static_cast<std::ptrdiff_t>(at), item);
    notify(comboBox, Change::Items);
    return static_cast<LRESULT>(at);
}

}  // namespace

void openDropDown(HWND comboBox) {
    Window* w = find(comboBox);
    if (w == nullptr || w->dropped) {
        return;
    }
    notifyParent(comboBox, CBN_DROPDOWN);
    if ((w = find(comboBox)) != nullptr) {
        w->dropped = true;
        notify(comboBox, Change::Dropped);
    }
}

void closeDropDown(HWND comboBox, bool chosen) {
    notifyParent(comboBox, chosen ? CBN_SELENDOK : CBN_SELENDCANCEL);
    Window* w = find(comboBox);
    if (w != nullptr && w->dropped) {
        w->dropped = false;
        notify(comboBox, Change::Dropped);
        notifyParent(comboBox, CBN_CLOSEUP);
    }
}

LRESULT CALLBACK comboBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* w = find(window);
    if (w == nullptr) {
        return 0;
    }
    switch (message) {
        case WM_GETDLGCODE: {
            LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
            const MSG* key = reinterpret_cast<const MSG*>(lParam);
            if (w->dropped && key != nullptr && key->message == WM_KEYDOWN &&
                (key->wParam == VK_RETURN || key->wParam == VK_ESCAPE)) {
                code |= DLGC_WANTMESSAGE;  // Enter and Esc close the open list
            }
            return code;
        }
        case CB_ADDSTRING:
            return addString(window, lParam);
        case CB_DELETESTRING: {
            const int index = static_cast<int>(wParam);
            if (index < 0 || index >= count(w)) {
                return CB_ERR;
            }
            w->items.erase(w->items.begin() + index);
            // Deleting the current item leaves none; items after it move up.
            if (w->current == index) {
                w->current = -1;
            } else if (w->current > index) {
                --w->current;
            }
            notify(window, Change::Items);
            return count(w);
        }
        case CB_GETCOUNT:
            return count(w);
        case CB_GETCURSEL:
            return w->current < 0 ? CB_ERR : w->current;
        case CB_SETCURSEL: {
            const int index = static_cast<int>(wParam);
            if (index < 0 || index >= count(w)) {
                setCurrent(window, -1);
                return CB_ERR;
            }
            setCurrent(window, index);
            return index;
        }
        case CB_RESETCONTENT:
            w->items.clear();
            w->current = -1;
            notify(window, Change::Items);
            return 0;
        case CB_GETLBTEXT: {
            const int index = static_cast<int>(wParam);
            char* buffer = reinterpret_cast<char*>(lParam);
            if (index < 0 || index >= count(w) || buffer == nullptr) {
                return CB_ERR;
            }
            // The buffer must hold the text and its terminator, as on the
            // platform (CB_GETLBTEXTLEN tells the size).
            const std::string& item = w->items[static_cast<std::size_t>(index)];
            std::memcpy(buffer, item.c_str(), item.size() + 1);
            return static_cast<LRESULT>(item.size());
        }
        case CB_GETLBTEXTLEN: {
            const int index = static_cast<int>(wParam);
            if (index < 0 || index >= count(w)) {
                return CB_ERR;
            }
            return static_cast<LRESULT>(w->items[static_cast<std::size_t>(index)].size());
        }
        case CB_FINDSTRING:
            return findPrefix(w, wParam, lParam);
        case CB_SELECTSTRING: {
            const LRESULT found = findPrefix(w, wParam, lParam);
            if (found != CB_ERR) {
                setCurrent(window, static_cast<int>(found));
            }
            return found;
        }
        case CB_SHOWDROPDOWN:
            if (wParam != 0) {
                openDropDown(window);
            } else if (w->dropped) {
                closeDropDown(window, false);
            }
            return TRUE;
        case CB_GETDROPPEDSTATE:
            return w->dropped ? TRUE : FALSE;
        case WM_SETTEXT:
            return CB_ERR;  // a drop-down list shows its current item only
        case WM_GETTEXT:
            return copyText(
                w->current < 0 ? std::string() : w->items[static_cast<std::size_t>(w->current)],
                wParam, lParam);
        case WM_GETTEXTLENGTH:
            return w->current < 0 ? 0
                                  : static_cast<LRESULT>(
                                        w->items[static_cast<std::size_t>(w->current)].size());
        case WM_SETFOCUS:
            notifyParent(window, CBN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            if (w->dropped) {
                closeDropDown(window, false);
            }
            notifyParent(window, CBN_KILLFOCUS);
            return 0;
        case WM_KEYDOWN:
            if (w->dropped && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
                const bool chosen = wParam == VK_RETURN;
                closeDropDown(window, chosen);
                if (chosen) {
                    notifyParent(window, CBN_SELCHANGE);
                }
            } else if (wParam == VK_DOWN || wParam == VK_RIGHT) {
                keyboardChoice(window, w->current < 0 ? 0 : w->current + 1);
            } else if (wParam == VK_UP || wParam == VK_LEFT) {
                keyboardChoice(window, w->current - 1);
            }
            return 0;
        case WM_CHAR: {
            const char typed[2] = {static_cast<char>(wParam), '\0'};
            if (static_cast<unsigned char>(typed[0]) >= 0x20) {
                const LRESULT found =
                    findPrefix(w, static_cast<WPARAM>(w->current), reinterpret_cast<LPARAM>(typed));
                if (found != CB_ERR) {
                    keyboardChoice(window, static_cast<int>(found));
                }
            }
            return 0;
        }
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace quorvel::platform
