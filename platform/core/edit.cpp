// Single-line edit boxes: typing, the editing keys, the clipboard, Undo and
// the right-click menu.

#include <algorithm>

#include "platform/core/clipboard.h"
#include "platform/core/state.h"

namespace quorvel::platform {

namespace {

Clipboard* installedClipboard = nullptr;

struct Span {
    std::size_t from;
    std::size_t to;
};

Span selectionOf(const Window& w) {
    return {std::min(w.selectionStart, w.selectionEnd), std::max(w.selectionStart, w.selectionEnd)};
}

bool readOnly(const Window& w) {
    return (w.style & ES_READONLY) != 0;
}

void changed(HWND edit) {
    notify(edit, Change::Text);
    notify(edit, Change::Selection);
    notifyParent(edit, EN_UPDATE);
    notifyParent(edit, EN_CHANGE);
}

void select(HWND edit, std::size_t anchor, std::size_t caret) {
    Window* w = find(edit);
    w->selectionStart = anchor;
    w->selectionEnd = caret;
    notify(edit, Change::Selection);
}

// Keeps the one step Undo takes back. Deleting next to what was deleted
// before (Backspace, Delete held down) and typing on after what was typed
// before grow the step; anything else starts a new one.
void recordUndo(Window& w, Span replaced, std::size_t inserted) {
    if (replaced.to != replaced.from) {
        const std::string deleted = w.text.substr(replaced.from, replaced.to - replaced.from);
        const bool deleting = w.undoInsertCount == 0 && !w.undoText.empty();
        if (deleting && replaced.from == w.undoPosition) {
            w.undoText += deleted;
        } else if (deleting && replaced.to == w.undoPosition) {
            w.undoText.insert(0, deleted);
            w.undoPosition = replaced.from;
        } else {
            w.undoText = deleted;
            w.undoPosition = replaced.from;
        }
        w.undoInsertCount = 0;
    }
    if (inserted == 0) {
        return;
    }
    if (replaced.from == w.undoPosition ||
        (w.undoInsertCount > 0 && replaced.from == w.undoPosition + w.undoInsertCount)) {
        w.undoInsertCount += inserted;
    } else {
        w.undoPosition = replaced.from;
        w.undoInsertCount = inserted;
        w.undoText.clear();
    }
}

void emptyUndo(Window& w) {
    w.undoInsertCount = 0;
    w.undoText.clear();
}

// Replaces the selection with text and leaves the caret after it, as typing,
// pasting and deleting do. The text limit cuts what goes in, and a cut is
// reported with EN_MAXTEXT before the change; EN_UPDATE and EN_CHANGE follow
// even when nothing could go in.
void replaceSelection(HWND edit, std::string text, bool canUndo) {
    Window* w = find(edit);
    Span span = selectionOf(*w);
    const std::size_t kept = w->text.size() - (span.to - span.from);
    if (kept + text.size() > w->limit) {
        notifyParent(edit, EN_MAXTEXT);
        w = find(edit);
        if (w == nullptr) {
            return;
        }
        span = selectionOf(*w);
        const std::size_t left = w->text.size() - (span.to - span.from);
        text.resize(std::min(text.size(), w->limit > left ? w->limit - left : 0));
    }
    if (canUndo) {
        recordUndo(*w, span, text.size());
    } else {
        emptyUndo(*w);
    }
    w->text.replace(span.from, span.to - span.from, text);
    w->selectionStart = w->selectionEnd = span.from + text.size();
    changed(edit);
}

void copy(HWND edit) {
    const Window* w = find(edit);
    const Span span = selectionOf(*w);
    if (span.from != span.to && installedClipboard != nullptr) {
        installedClipboard->setText(w->text.substr(span.from, span.to - span.from));
    }
}

// Deletes the selection.
void clear(HWND edit) {
    const Window* w = find(edit);
    if (readOnly(*w) || w->selectionStart == w->selectionEnd) {
        return;
    }
    replaceSelection(edit, "", true);
}

// Deletes from the caret to target (one character, or to the end).
void deleteToward(HWND edit, std::size_t target) {
    const Window* w = find(edit);
    const std::size_t caret = w->selectionEnd;
    if (target == caret) {
        return;
    }
    select(edit, caret, target);
    clear(edit);
}

// A single-line box pastes up to the first line break.
void paste(HWND edit) {
    if (readOnly(*find(edit)) || installedClipboard == nullptr) {
        return;
    }
    std::optional<std::string> text = installedClipboard->text();
    if (!text) {
        return;
    }
    if (const std::size_t newline = text->find('\n'); newline != std::string::npos) {
        text->resize(newline > 0 && (*text)[newline - 1] == '\r' ? newline - 1 : newline);
    }
    replaceSelection(edit, std::move(*text), true);
}

// Takes the last change back and selects what it puts back; a second Undo
// takes the Undo back.
void undo(HWND edit) {
    Window* w = find(edit);
    if (readOnly(*w)) {
        return;
    }
    const std::string restored = w->undoText;
    const std::size_t at = std::min(w->undoPosition, w->text.size());
    w->selectionStart = at;
    w->selectionEnd = std::min(at + w->undoInsertCount, w->text.size());
    emptyUndo(*w);
    replaceSelection(edit, restored, true);
    if (w = find(edit); w != nullptr) {
        select(edit, w->undoPosition, w->undoPosition + w->undoInsertCount);
    }
}

void typeCharacter(HWND edit, char c) {
    const Window* w = find(edit);
    if (readOnly(*w)) {
        return;
    }
    if (c == '\b') {
        if (w->selectionStart != w->selectionEnd) {
            clear(edit);
        } else if (w->selectionEnd > 0) {
            deleteToward(edit, w->selectionEnd - 1);
        }
        return;
    }
    if (static_cast<unsigned char>(c) < 0x20 || c == '\x7f') {
        return;  // Enter, Tab, Esc and other controls are not text
    }
    replaceSelection(edit, std::string(1, c), true);
}

// Characters a keyboard makes with Ctrl held: copy, paste, cut and undo.
bool isControlCharacter(char c) {
    return c == '\x03' || c == '\x16' || c == '\x18' || c == '\x1a';
}

void controlCharacter(HWND edit, char c) {
    const bool writable = !readOnly(*find(edit));
    switch (c) {
        case '\x03':  // Ctrl+C
            SendMessageA(edit, WM_COPY, 0, 0);
            break;
        case '\x16':  // Ctrl+V
            if (writable) {
                SendMessageA(edit, WM_PASTE, 0, 0);
            }
            break;
        case '\x18':  // Ctrl+X
            if (writable) {
                SendMessageA(edit, WM_CUT, 0, 0);
            }
            break;
        case '\x1a':  // Ctrl+Z
            if (writable) {
                SendMessageA(edit, WM_UNDO, 0, 0);
            }
            break;
        default:
            break;
    }
}

bool isSpace(char c) {
    return c == ' ' || c == '\t';
}

// Word moves: to the start of this or the previous word, or of the next one.
std::size_t wordBefore(const std::string& text, std::size_t at) {
    while (at > 0 && isSpace(text[at - 1])) {
        --at;
    }
    while (at > 0 && !isSpace(text[at - 1])) {
        --at;
    }
    return at;
}

std::size_t wordAfter(const std::string& text, std::size_t at) {
    while (at < text.size() && !isSpace(text[at])) {
        ++at;
    }
    while (at < text.size() && isSpace(text[at])) {
        ++at;
    }
    return at;
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

void keyDown(HWND edit, WPARAM key) {
    const Window* w = find(edit);
    const bool shift = state().shiftDown;
    const bool control = state().controlDown;
    const std::size_t caret = w->selectionEnd;
    const std::size_t anchor = w->selectionStart;
    const auto moveTo = [&](std::size_t to) { select(edit, shift ? anchor : to, to); };
    switch (key) {
        case VK_UP:
        case VK_DOWN:
            if (const HWND upDown = arrowKeysUpDown(edit); upDown != nullptr) {
                stepUpDown(upDown, key == VK_UP);
                break;
            }
            // A single line has no line above or below: up and down move as
            // left and right do.
            keyDown(edit, key == VK_UP ? VK_LEFT : VK_RIGHT);
            break;
        case VK_LEFT:
            moveTo(control ? wordBefore(w->text, caret) : (caret > 0 ? caret - 1 : 0));
            break;
        case VK_RIGHT:
            moveTo(control ? wordAfter(w->text, caret) : std::min(caret + 1, w->text.size()));
            break;
        case VK_HOME:
            moveTo(0);
            break;
        case VK_END:
            moveTo(w->text.size());
            break;
        case VK_DELETE:
            if (readOnly(*w) || (shift && control)) {
                break;
            }
            if (anchor != caret) {
                SendMessageA(edit, shift ? WM_CUT : WM_CLEAR, 0, 0);
            } else if (shift) {
                deleteToward(edit, caret > 0 ? caret - 1 : 0);
            } else {
                deleteToward(edit, control ? w->text.size() : std::min(caret + 1, w->text.size()));
            }
            break;
        case VK_INSERT:
            if (shift) {
                SendMessageA(edit, WM_PASTE, 0, 0);
            } else if (control) {
                SendMessageA(edit, WM_COPY, 0, 0);
            }
            break;
        case 'A':
            if (control) {
                select(edit, 0, w->text.size());
            }
            break;
        default:
            break;
    }
}

// The right-click menu, as the platform's edit box has it: each item's id is
// the message it sends.
void contextMenu(HWND edit, LPARAM at) {
    const Window* w = find(edit);
    const Span span = selectionOf(*w);
    const bool selected = span.from != span.to;
    const bool writable = !readOnly(*w);
    const bool canUndo = w->undoInsertCount > 0 || !w->undoText.empty();
    const bool canPaste = installedClipboard != nullptr && installedClipboard->text().has_value();
    const auto item = [](const char* text, UINT id, bool enabled) {
        MenuItem made;
        made.text = text;
        made.id = static_cast<int>(id);
        made.grayed = !enabled;
        return made;
    };
    MenuItem separator;
    separator.separator = true;
    const std::vector<MenuItem> items{
        item("&Undo", EM_UNDO, canUndo && writable),
        separator,
        item("Cu&t", WM_CUT, selected && writable),
        item("&Copy", WM_COPY, selected),
        item("&Paste", WM_PASTE, canPaste && writable),
        item("&Delete", WM_CLEAR, selected && writable),
        separator,
        item("Select &All", EM_SETSEL, span.from != 0 || span.to != w->text.size()),
    };
    if (GetFocus() != edit) {
        SetFocus(edit);
    }
    View* view = state().view;
    const int chosen = view == nullptr
                           ? 0
                           : view->popupMenu(edit, items, static_cast<short>(LOWORD(at)),
                                             static_cast<short>(HIWORD(at)));
    for (const MenuItem& i : items) {
        if (!i.separator && !i.grayed && i.id == chosen && find(edit) != nullptr) {
            const auto message = static_cast<UINT>(chosen);
            SendMessageA(edit, message == EM_UNDO ? WM_UNDO : message, 0,
                         message == EM_SETSEL ? -1 : 0);
        }
    }
}

}  // namespace

void setClipboard(Clipboard* clipboard) {
    installedClipboard = clipboard;
}

Clipboard* currentClipboard() {
    return installedClipboard;
}

LRESULT CALLBACK editProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* w = find(window);
    if (w == nullptr) {
        return 0;
    }
    switch (message) {
        case WM_GETDLGCODE:
            return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
        case WM_SETTEXT: {
            // Text set by the program is not held to the typing limit, and
            // cannot be undone.
            const char* text = reinterpret_cast<const char*>(lParam);
            w->text = text != nullptr ? text : "";
            w->selectionStart = w->selectionEnd = 0;
            emptyUndo(*w);
            changed(window);
            return TRUE;
        }
        case EM_LIMITTEXT:
            w->limit = wParam == 0 ? kMaxEditLimit : static_cast<std::size_t>(wParam);
            notify(window, Change::TextLimit);
            return 0;
        case EM_GETLIMITTEXT:
            return static_cast<LRESULT>(w->limit);
        case EM_GETSEL: {
            const Span span = selectionOf(*w);
            if (wParam != 0) {
                *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(span.from);
            }
            if (lParam != 0) {
                *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(span.to);
            }
            return MAKELONG(span.from, span.to);
        }
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
        case EM_REPLACESEL: {
            const char* text = reinterpret_cast<const char*>(lParam);
            replaceSelection(window, text != nullptr ? text : "", wParam != 0);
            return 0;
        }
        case EM_CANUNDO:
            return w->undoInsertCount > 0 || !w->undoText.empty() ? TRUE : FALSE;
        case EM_EMPTYUNDOBUFFER:
            emptyUndo(*w);
            return 0;
        case WM_UNDO:
        case EM_UNDO:
            undo(window);
            return TRUE;
        case WM_COPY:
            copy(window);
            return 0;
        case WM_CUT:
            copy(window);
            clear(window);
            return 0;
        case WM_CLEAR:
            clear(window);
            return 0;
        case WM_PASTE:
            paste(window);
            return 0;
        case WM_CHAR:
            if (const char c = static_cast<char>(wParam); isControlCharacter(c)) {
                controlCharacter(window, c);
            } else {
                typeCharacter(window, c);
            }
            return 0;
        case WM_KEYDOWN:
            keyDown(window, wParam);
            return 0;
        case WM_CONTEXTMENU:
            contextMenu(window, lParam);
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
