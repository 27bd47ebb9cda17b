// Buttons: push buttons, auto check boxes, auto radio buttons, group boxes.

#include "platform/core/state.h"

namespace quorvel::platform {
namespace {

bool isCheckable(const Window* w) {
    const DWORD type = w->type();
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
           type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE;
}

bool isRadio(const Window* w) {
    return w->type() == BS_RADIOBUTTON || w->type() == BS_AUTORADIOBUTTON;
}

void setCheck(HWND button, WPARAM check) {
    Window* w = find(button);
    if (w == nullptr || !isCheckable(w)) {
        return;
    }
    const UINT value = check > BST_CHECKED ? BST_CHECKED : static_cast<UINT>(check);
    if (isRadio(w)) {
        // The checked button of a radio group is the group's tab stop.
        setStyle(button, value == BST_CHECKED ? (w->style | WS_TABSTOP)
                                              : (w->style & ~static_cast<DWORD>(WS_TABSTOP)));
        w = find(button);
    }
    if (w->check != value) {
        w->check = value;
        notify(button, Change::Check);
    }
}

}  // namespace

void buttonClicked(HWND button) {
    Window* w = find(button);
    if (w == nullptr) {
        return;
    }
    if (w->type() == BS_AUTOCHECKBOX) {
        setCheck(button, w->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
    } else if (w->type() == BS_AUTORADIOBUTTON) {
        setCheck(button, BST_CHECKED);
        // Clears the other auto radio buttons of the group, skipping those
        // hidden or disabled, as the platform's group walk does.
        for (HWND other : radioGroupOf(button)) {
            Window* o = find(other);
            if (other != button && o != nullptr && o->kind == ControlKind::Button &&
                o->type() == BS_AUTORADIOBUTTON && o->visible() && o->enabled()) {
                SendMessageA(other, BM_SETCHECK, BST_UNCHECKED, 0);
            }
        }
    }
    notifyParent(button, BN_CLICKED);
}

LRESULT CALLBACK buttonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* w = find(window);
    if (w == nullptr) {
        return 0;
    }
    const DWORD type = w->type();
    const bool push = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
    switch (message) {
        case WM_GETDLGCODE:
            if (push) {
                // The style says which is the default; the dialog manager moves it.
                return DLGC_BUTTON |
                       (type == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
            }
            if (type == BS_GROUPBOX) {
                return DLGC_STATIC;
            }
            return isRadio(w) ? (DLGC_BUTTON | DLGC_RADIOBUTTON) : DLGC_BUTTON;
        case BM_GETCHECK:
            return isCheckable(w) ? w->check : BST_UNCHECKED;
        case BM_SETCHECK:
            setCheck(window, wParam);
            return 0;
        case BM_CLICK:
            if (takesInput(window) && type != BS_GROUPBOX) {
                SetFocus(window);
                buttonClicked(window);
            }
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_SPACE && !w->pushed) {
                w->pushed = true;
                notify(window, Change::Pushed);
            }
            return 0;
        case WM_KEYUP:
            if (wParam == VK_SPACE && w->pushed) {
                w->pushed = false;
                notify(window, Change::Pushed);
                buttonClicked(window);
            }
            return 0;
        case WM_KILLFOCUS:
            if (w->pushed) {
                w->pushed = false;
                notify(window, Change::Pushed);
            }
            return 0;
        case WM_SETFOCUS:
        case WM_CHAR:
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK staticProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETDLGCODE) {
        return DLGC_STATIC;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void notifyParent(HWND control, WORD code) {
    Window* w = find(control);
    if (w == nullptr || !w->isChild()) {
        return;
    }
    SendMessageA(w->parent, WM_COMMAND, MAKEWPARAM(w->id, code), reinterpret_cast<LPARAM>(control));
}

}  // namespace quorvel::platform
