// Single-line edit boxes.

#include <algorithm>

#include "platform/core/state.h"

namespace quorvel::platform {
namespace {

void changed(HWND edit) {
    notify(edit, Change::Text);
    notify(edit, Change::Selection);
    notifyParent(edit, EN_UPDATE);
    notifyParent(edit, EN_CHANGE);
}

void typeCharacter(HWND edit, char c) {
    Window* w = find(edit);
    if ((w->style & ES_READONLY) != 0) {
        return;
    }
    const std::size_t from = std::min(w->selectionStart, w->selectionEnd);
    const std::size_t to = std::max(w->selectionStart, w->selectionEnd);
    if (c == '\b') {
        if (from != to) {
            w->text.erase(from, to - from);
            w->selectionStart = w->selectionEnd = from;
        } else if (from > 0) {
            w->text.erase(from - 1, 1);
            w->selectionStart = w->selectionEnd = from - 1;
        } else {
            return;
        }
        changed(edit);
        return;
    }
    if (static_cast<unsigned char>(c) < 0x20) {
        return;  // Enter, Tab, Esc and other controls are not text
    }
    // The limit counts what the box would hold after the character. A
    // character refused by it is reported with EN_MAXTEXT, and the box then
    // reports its (unchanged) text as it does after any typing.
    if (w->text.size() - (to - from) + 1 > w->limit) {
        notifyParent(edit, EN_MAXTEXT);
        if (find(edit) != nullptr) {
            notifyParent(edit, EN_UPDATE);
            notifyParent(edit, EN_CHANGE);
        }
        return;
    }
    w->text.replace(from, to - from, 1, c);
    w->selectionStart = w->selectionEnd = from + 1;
    changed(edit);
}

// An up-down control with UDS_ARROWKEYS whose buddy is this edit box.
HWND arrowKeysUpDown(HWND edit) {
    Window* w = find(edit);
    Window* parent = w == nullptr ? nullptr : find(w->parent);
    if (parent == nullptr) {
        return nullptr;
    }
    for (HWND sibling : parent->children) {
        Window* s = find(sibling);
        if (s->kind == ControlKind::UpDown && s->buddy == edit && (s->style & UDS_ARROWKEYS) != 0) {
            return sibling;
        }
    }
    return nullptr;
}

}  // namespace

LRESULT CALLBACK editProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* w = find(window);
    if (w == nullptr) {
        return 0;
    }
    switch (message) {
        case WM_GETDLGCODE:
            return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
        case WM_SETTEXT: {
            // Text set by the program is not held to the typing limit.
            const char* text = reinterpret_cast<const char*>(lParam);
            w->text = text != nullptr ? text : "";
            w->selectionStart = w->selectionEnd = 0;
            changed(window);
            return TRUE;
        }
        case EM_LIMITTEXT:
            w->limit = wParam == 0 ? kMaxEditLimit : static_cast<std::size_t>(wParam);
            notify(window, Change::TextLimit);
            return 0;
        case EM_GETLIMITTEXT:
            return static_cast<LRESULT>(w->limit);
        case EM_SETSEL: {
            const std::size_t length = w->text.size();
            const auto clamp = [length](LONG_PTR at) {
                return at < 0 ? length : std::min(static_cast<std::size_t>(at), length);
            };
            if (static_cast<int>(wParam) == -1) {
                w->selectionStart = w->selectionEnd;  // deselects, the caret stays
            } else {
                w->selectionStart = clamp(static_cast<int>(wParam));
                w->selectionEnd = clamp(static_cast<int>(lParam));
            }
            notify(window, Change::Selection);
            return 0;
        }
        case WM_CHAR:
            typeCharacter(window, static_cast<char>(wParam));
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_UP || wParam == VK_DOWN) {
                if (const HWND upDown = arrowKeysUpDown(window); upDown != nullptr) {
                    stepUpDown(upDown, wParam == VK_UP);
                }
            } else if (wParam == VK_LEFT || wParam == VK_RIGHT) {
                const std::size_t caret = w->selectionEnd;
                const std::size_t moved = wParam == VK_LEFT ? (caret > 0 ? caret - 1 : 0)
                                                            : std::min(caret + 1, w->text.size());
                w->selectionStart = w->selectionEnd = moved;
                notify(window, Change::Selection);
            }
            return 0;
        case WM_SETFOCUS:
            notifyParent(window, EN_SETFOCUS);
            return 0;
        case WM_KILLFOCUS:
            notifyParent(window, EN_KILLFOCUS);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace quorvel::platform
