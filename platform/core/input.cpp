#include "platform/core/input.h"

#include <functional>

#include "platform/core/state.h"

namespace quorvel::platform::input {
namespace {

void queueKey(UINT message, UINT virtualKey) {
    State& s = state();
    const HWND target = s.focus != nullptr ? s.focus : s.active;
    if (target == nullptr) {
        return;
    }
    const LPARAM flags = (message == WM_KEYUP || message == WM_SYSKEYUP) ? 0xC0000001 : 1;
    s.input.push_back(MSG{target, message, virtualKey, flags, ++s.clock, {0, 0}});
}

}  // namespace

bool click(HWND control) {
    Window* w = find(control);
    if (w == nullptr || !takesInput(control)) {
        return false;
    }
    switch (w->kind) {
        case ControlKind::Button:
            if (w->type() == BS_GROUPBOX) {
                return false;  // clicks pass through a group box
            }
            SetFocus(control);
            buttonClicked(control);
            return true;
        case ControlKind::Edit:
            if (GetFocus() != control) {
                SetFocus(control);
                if (Window* e = find(control); e != nullptr) {
                    e->selectionStart = e->selectionEnd = e->text.size();
                    notify(control, Change::Selection);
                }
            }
            return true;
        case ControlKind::ComboBox:
            SetFocus(control);
            if (Window* c = find(control); c != nullptr && c->dropped) {
                closeDropDown(control, false);
            } else {
                openDropDown(control);
            }
            return true;
        default:
            return false;
    }
}

bool openList(HWND comboBox) {
    Window* w = find(comboBox);
    if (w == nullptr || w->kind != ControlKind::ComboBox || !takesInput(comboBox)) {
        return false;
    }
    SetFocus(comboBox);
    openDropDown(comboBox);
    return find(comboBox) != nullptr && find(comboBox)->dropped;
}

bool closeList(HWND comboBox, int index) {
    Window* w = find(comboBox);
    if (w == nullptr || w->kind != ControlKind::ComboBox || !w->dropped ||
        index >= static_cast<int>(w->items.size())) {
        return false;
    }
    if (index < 0) {
        closeDropDown(comboBox, false);
        return true;
    }
    if (w->current != index) {
        w->current = index;
        notify(comboBox, Change::CurrentItem);
    }
    closeDropDown(comboBox, true);
    notifyParent(comboBox, CBN_SELCHANGE);
    return true;
}

bool chooseItem(HWND comboBox, int index) {
    Window* w = find(comboBox);
    if (w == nullptr || index < 0 || index >= static_cast<int>(w->items.size())) {
        return false;
    }
    return openList(comboBox) && closeList(comboBox, index);
}

bool typeText(HWND edit, std::string_view text) {
    Window* w = find(edit);
    if (w == nullptr || w->kind != ControlKind::Edit || !click(edit)) {
        return false;
    }
    for (char c : text) {
        if (GetFocus() != edit) {
            break;  // a handler moved the focus away
        }
        SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    }
    return true;
}

void keyDown(UINT virtualKey) {
    queueKey(virtualKey == VK_MENU ? WM_SYSKEYDOWN : WM_KEYDOWN, virtualKey);
}

void keyUp(UINT virtualKey) {
    queueKey(virtualKey == VK_MENU ? WM_SYSKEYUP : WM_KEYUP, virtualKey);
}

void pressKey(UINT virtualKey, bool shift, bool control) {
    if (control) {
        keyDown(VK_CONTROL);
    }
    if (shift) {
        keyDown(VK_SHIFT);
    }
    keyDown(virtualKey);
    keyUp(virtualKey);
    if (shift) {
        keyUp(VK_SHIFT);
    }
    if (control) {
        keyUp(VK_CONTROL);
    }
}

bool chooseMenuItem(HWND window, int commandId) {
    Window* w = find(window);
    if (w == nullptr || w->isChild() || w->menu == nullptr || !takesInput(window) ||
        !hasMenuCommand(*w, commandId) || menuCommandGrayed(*w, commandId)) {
        return false;
    }
    return PostMessageA(window, WM_COMMAND, MAKEWPARAM(commandId, 0), 0) != FALSE;
}

bool clickCloseBox(HWND window) {
    Window* w = find(window);
    const DWORD needed = WS_CAPTION | WS_SYSMENU;
    if (w == nullptr || w->isChild() || (w->style & needed) != needed || !takesInput(window)) {
        return false;
    }
    SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return true;
}

bool rightClick(HWND control, int x, int y) {
    if (find(control) == nullptr || !takesInput(control)) {
        return false;
    }
    SendMessageA(control, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), MAKELPARAM(x, y));
    return true;
}

bool clickUpDown(HWND upDown, bool up) {
    Window* w = find(upDown);
    if (w == nullptr || w->kind != ControlKind::UpDown || !takesInput(upDown)) {
        return false;
    }
    // The arrows put the focus into an edit box buddy, its text selected.
    if (Window* buddy = find(w->buddy); buddy != nullptr && buddy->kind == ControlKind::Edit) {
        SetFocus(w->buddy);
        SendMessageA(w->buddy, EM_SETSEL, 0, -1);
    }
    stepUpDown(upDown, up);
    return true;
}

}  // namespace quorvel::platform::input
