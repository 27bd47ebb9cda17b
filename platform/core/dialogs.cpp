// The dialog manager: dialogs from templates, modal loops, the default dialog
// procedure, dialog keyboard handling and the dialog-item calls.

#include <algorithm>

#include "platform/core/resources.h"
#include "platform/core/state.h"

using namespace quorvel::platform;

namespace {

// The platform's class for dialogs whose template names none.
constexpr const char* kDialogClass = "#32770";

bool isPushButton(const Window* w) {
    return w != nullptr && w->kind == ControlKind::Button &&
           (w->type() == BS_PUSHBUTTON || w->type() == BS_DEFPUSHBUTTON);
}

HWND createDialog(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC procedure,
                  LPARAM initParam) {
    const DialogTemplate* dialog = findDialogTemplate(templateName);
    if (dialog == nullptr) {
        return nullptr;
    }
    CreateParams params;
    params.className = dialog->className.empty() ? kDialogClass : dialog->className;
    params.text = dialog->caption;
    params.style = dialog->style & ~static_cast<DWORD>(WS_VISIBLE | WS_CHILD);
    params.exStyle = dialog->exStyle;
    params.rect = dialog->rect;
    params.parent = owner;
    params.instance = instance;
    params.dialog = dialog;
    if (dialog->menu) {
        const ResourceName& menu = *dialog->menu;
        params.menu =
            findMenu(menu.number >= 0 ? MAKEINTRESOURCEA(menu.number) : menu.text.c_str());
    }
    // WM_CREATE reaches the class's procedure during this call, before any
    // control exists.
    const HWND window = createWindow(params);
    if (window == nullptr) {
        return nullptr;
    }
    find(window)->dialogProcedure = procedure;

    for (const ControlTemplate& control : dialog->controls) {
        CreateParams child;
        child.className = control.className;
        child.text = control.text;
        child.style = control.style | WS_CHILD;
        child.exStyle = control.exStyle;
        child.rect = control.rect;
        child.parent = window;
        child.id = control.id;
        child.instance = instance;
        if (control.image) {
            const ResourceName& image = *control.image;
            child.staticIcon = LoadIconA(
                instance, image.number >= 0 ? MAKEINTRESOURCEA(image.number) : image.text.c_str());
        }
        const HWND made = createWindow(child);
        if (made == nullptr) {
            DestroyWindow(window);
            return nullptr;
        }
        Window* w = find(window);
        Window* c = find(made);
        if (w != nullptr && c != nullptr && c->kind == ControlKind::Button &&
            c->type() == BS_DEFPUSHBUTTON) {
            // Only one default button: a later one takes over.
            if (Window* old = find(GetDlgItem(window, w->defaultId));
                old != nullptr && old != c && isPushButton(old)) {
                setStyle(old->handle, (old->style & ~BS_TYPEMASK) | BS_PUSHBUTTON);
            }
            w->defaultId = c->id;
        }
    }

    // Only a dialog procedure is told of the initialisation; a dialog of a
    // class with none gets no WM_INITDIALOG, and no first focus either.
    const HWND first = nextTabItem(window, nullptr, false);
    if (procedure != nullptr &&
        SendMessageA(window, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), initParam) != 0 &&
        find(window) != nullptr) {
        // The procedure asked for the default focus: the first tab stop.
        if (const HWND target = nextTabItem(window, nullptr, false); target != nullptr) {
            SetFocus(target);
        }
    }
    if (find(window) == nullptr) {
        return nullptr;
    }
    if ((dialog->style & WS_VISIBLE) != 0) {
        ShowWindow(window, SW_SHOWNORMAL);
    }
    return window;
}

bool isTabStop(const Window* w) {
    return w != nullptr && (w->style & WS_TABSTOP) != 0 && w->visible() && w->enabled();
}

// The controls of the group that control belongs to: from the control with
// WS_GROUP at or before it to the one before the next WS_GROUP.
std::vector<HWND> groupOf(HWND dialog, HWND control) {
    Window* d = find(dialog);
    std::vector<HWND> group;
    if (d == nullptr) {
        return group;
    }
    const auto& children = d->children;
    const auto at = std::find(children.begin(), children.end(), control);
    if (at == children.end()) {
        return group;
    }
    auto start = at;
    while (start != children.begin() && (find(*start)->style & WS_GROUP) == 0) {
        --start;
    }
    group.push_back(*start);
    for (auto it = start + 1; it != children.end() && (find(*it)->style & WS_GROUP) == 0; ++it) {
        group.push_back(*it);
    }
    return group;
}

// The dialog manager moves the default look with the focus it gives: a push
// button it focuses becomes the default button (Enter presses it), and focus
// on any other control gives the look back to the dialog's default button.
// SetFocus alone moves nothing.
void moveDefaultButton(HWND dialog, HWND focus) {
    Window* d = find(dialog);
    if (d == nullptr) {
        return;
    }
    const HWND standing = isPushButton(find(focus)) ? focus : GetDlgItem(dialog, d->defaultId);
    const std::vector<HWND> children = d->children;
    for (HWND child : children) {
        Window* c = find(child);
        if (!isPushButton(c)) {
            continue;
        }
        const DWORD type = child == standing ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        if (c->type() != type) {
            setStyle(child, (c->style & ~BS_TYPEMASK) | type);
        }
    }
}

LRESULT defaultDialogHandling(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* d = find(dialog);
    switch (message) {
        case WM_CLOSE: {
            // Closing a dialog is its Cancel button, unless that is disabled.
            const HWND cancel = GetDlgItem(dialog, IDCANCEL);
            if (cancel == nullptr || IsWindowEnabled(cancel)) {
                PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                             reinterpret_cast<LPARAM>(cancel));
            }
            return 0;
        }
        case WM_NEXTDLGCTL: {
            HWND target = lParam != 0 ? reinterpret_cast<HWND>(wParam)
                                      : nextTabItem(dialog, GetFocus(), wParam != 0);
            if (target != nullptr && isSelfOrDescendant(dialog, target)) {
                setDialogFocus(target);
                moveDefaultButton(dialog, target);
            }
            return 0;
        }
        case WM_SETFOCUS: {
            // The dialog passes the focus on to the control that had it last.
            HWND target = d->savedFocus;
            if (!isSelfOrDescendant(dialog, target) || target == dialog || !takesInput(target)) {
                target = nextTabItem(dialog, nullptr, false);
            }
            if (target != nullptr) {
                SetFocus(target);
            }
            return 0;
        }
        case DM_GETDEFID:
            return d->defaultId != 0 ? MAKELONG(d->defaultId, DC_HASDEFID) : 0;
        case DM_SETDEFID: {
            if (Window* old = find(GetDlgItem(dialog, d->defaultId)); isPushButton(old)) {
                setStyle(old->handle, (old->style & ~BS_TYPEMASK) | BS_PUSHBUTTON);
            }
            d = find(dialog);
            d->defaultId = static_cast<int>(wParam);
            if (Window* now = find(GetDlgItem(dialog, d->defaultId)); isPushButton(now)) {
                setStyle(now->handle, (now->style & ~BS_TYPEMASK) | BS_DEFPUSHBUTTON);
            }
            return TRUE;
        }
        default:
            return DefWindowProcA(dialog, message, wParam, lParam);
    }
}

}  // namespace

namespace quorvel::platform {

HWND nextTabItem(HWND dialog, HWND from, bool previous) {
    Window* d = find(dialog);
    if (d == nullptr || d->children.empty()) {
        return nullptr;
    }
    const auto& children = d->children;
    const std::size_t n = children.size();
    auto at = std::find(children.begin(), children.end(), from);
    std::size_t index = at == children.end() ? (previous ? 0 : n - 1)
                                             : static_cast<std::size_t>(at - children.begin());
    for (std::size_t step = 1; step <= n; ++step) {
        const std::size_t i = previous ? (index + n - step % n) % n : (index + step) % n;
        if (isTabStop(find(children[i]))) {
            return children[i];
        }
    }
    return nullptr;
}

HWND nextGroupItem(HWND dialog, HWND from, bool previous) {
    const std::vector<HWND> group = groupOf(dialog, from);
    const std::size_t n = group.size();
    const auto at = std::find(group.begin(), group.end(), from);
    if (n == 0 || at == group.end()) {
        return nullptr;
    }
    const std::size_t index = static_cast<std::size_t>(at - group.begin());
    for (std::size_t step = 1; step < n; ++step) {
        const std::size_t i = previous ? (index + n - step) % n : (index + step) % n;
        if (Window* w = find(group[i]); w->visible() && w->enabled()) {
            return group[i];
        }
    }
    return from;
}

std::vector<HWND> radioGroupOf(HWND control) {
    Window* c = find(control);
    return c == nullptr ? std::vector<HWND>{} : groupOf(c->parent, control);
}

}  // namespace quorvel::platform

HWND WINAPI CreateDialogParamA(HINSTANCE instance, LPCSTR templateName, HWND owner,
                               DLGPROC dialogProc, LPARAM initParam) {
    return createDialog(instance, templateName, owner, dialogProc, initParam);
}

INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner,
                               DLGPROC dialogProc, LPARAM initParam) {
    const HWND ownerTop = topLevelOf(owner);
    bool ownerDisabled = false;
    if (ownerTop != nullptr && IsWindowEnabled(ownerTop)) {
        EnableWindow(ownerTop, FALSE);
        ownerDisabled = true;
    }
    const HWND dialog = createDialog(instance, templateName, ownerTop, dialogProc, initParam);
    if (dialog == nullptr) {
        if (ownerDisabled) {
            EnableWindow(ownerTop, TRUE);
        }
        return -1;
    }
    find(dialog)->ownerDisabledByDialog = ownerDisabled;
    if (!find(dialog)->ended) {
        ShowWindow(dialog, SW_SHOWNORMAL);
    }
    MSG message{};
    while (find(dialog) != nullptr && !find(dialog)->ended) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            // The quit message ends the dialog and goes on to the outer loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got == -1) {
            break;
        }
        if (!IsDialogMessageA(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    Window* d = find(dialog);
    const INT_PTR result = d != nullptr && d->ended ? d->endResult : 0;
    if (d != nullptr && d->ownerDisabledByDialog) {
        d->ownerDisabledByDialog = false;
        EnableWindow(ownerTop, TRUE);
    }
    DestroyWindow(dialog);
    if (ownerTop != nullptr && find(ownerTop) != nullptr && IsWindowEnabled(ownerTop)) {
        activate(ownerTop);
    }
    return result;
}

BOOL WINAPI EndDialog(HWND dialog, INT_PTR result) {
    Window* d = find(dialog);
    if (d == nullptr || !d->isDialog) {
        return FALSE;
    }
    d->ended = true;
    d->endResult = result;
    if (d->ownerDisabledByDialog) {
        d->ownerDisabledByDialog = false;
        EnableWindow(d->owner, TRUE);
    }
    ShowWindow(dialog, SW_HIDE);
    // Wakes a modal loop waiting for input.
    PostMessageA(dialog, WM_NULL, 0, 0);
    return TRUE;
}

LRESULT WINAPI DefDlgProcA(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* d = find(dialog);
    if (d == nullptr) {
        return 0;
    }
    INT_PTR result = 0;
    if (const DLGPROC procedure = d->dialogProcedure; procedure != nullptr) {
        result = procedure(dialog, message, wParam, lParam);
    }
    if (find(dialog) == nullptr) {
        return 0;
    }
    if (result == 0) {
        switch (message) {
            case WM_INITDIALOG:
                return 0;
            default:
                return defaultDialogHandling(dialog, message, wParam, lParam);
        }
    }
    // A handled WM_INITDIALOG answers with the procedure's own result, as does
    // a colour message (its brush); other handled messages answer 0.
    const bool answersItself =
        message == WM_INITDIALOG || message == WM_CTLCOLORSTATIC || message == WM_CTLCOLOREDIT;
    return answersItself ? result : 0;
}

BOOL WINAPI IsDialogMessageA(HWND dialog, LPMSG message) {
    if (message == nullptr || find(dialog) == nullptr ||
        !isSelfOrDescendant(dialog, message->hwnd)) {
        return FALSE;
    }
    const HWND target = message->hwnd;
    switch (message->message) {
        case WM_KEYDOWN: {
            const LRESULT code = SendMessageA(target, WM_GETDLGCODE, message->wParam,
                                              reinterpret_cast<LPARAM>(message));
            if (code & DLGC_WANTMESSAGE) {
                break;
            }
            switch (message->wParam) {
                case VK_TAB:
                    if (code & DLGC_WANTTAB) {
                        break;
                    }
                    SendMessageA(dialog, WM_NEXTDLGCTL, state().shiftDown ? 1 : 0, 0);
                    return TRUE;
                case VK_RIGHT:
                case VK_DOWN:
                case VK_LEFT:
                case VK_UP: {
                    if (code & DLGC_WANTARROWS) {
                        break;
                    }
                    const bool previous = message->wParam == VK_LEFT || message->wParam == VK_UP;
                    const HWND next = nextGroupItem(dialog, target, previous);
                    if (next != nullptr && SendMessageA(next, WM_GETDLGCODE, message->wParam, 0) ==
                                               (DLGC_BUTTON | DLGC_RADIOBUTTON)) {
                        SetFocus(next);
                        Window* n = find(next);
                        if (n != nullptr && n->type() == BS_AUTORADIOBUTTON &&
                            n->check != BST_CHECKED) {
                            SendMessageA(next, BM_CLICK, 1, 0);
                        }
                    } else if (next != nullptr) {
                        SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), 1);
                    }
                    return TRUE;
                }
                case VK_ESCAPE:
                    SendMessageA(dialog, WM_COMMAND, IDCANCEL,
                                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
                    return TRUE;
                case VK_RETURN: {
                    const HWND focus = GetFocus();
                    if (focus != nullptr && focus != dialog && isSelfOrDescendant(dialog, focus) &&
                        (SendMessageA(focus, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)) {
                        SendMessageA(dialog, WM_COMMAND,
                                     MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED),
                                     reinterpret_cast<LPARAM>(focus));
                        return TRUE;
                    }
                    const LRESULT defId = SendMessageA(dialog, DM_GETDEFID, 0, 0);
                    if (HIWORD(defId) == DC_HASDEFID) {
                        const HWND button = GetDlgItem(dialog, LOWORD(defId));
                        if (button == nullptr || IsWindowEnabled(button)) {
                            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(LOWORD(defId), BN_CLICKED),
                                         reinterpret_cast<LPARAM>(button));
                        }
                    } else {
                        SendMessageA(dialog, WM_COMMAND, IDOK,
                                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
                    }
                    return TRUE;
                }
                default:
                    break;
            }
            break;
        }
        default:
            break;
    }
    TranslateMessage(message);
    DispatchMessageA(message);
    return TRUE;
}

LRESULT WINAPI SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam,
                                   LPARAM lParam) {
    const HWND control = GetDlgItem(dialog, id);
    return control == nullptr ? 0 : SendMessageA(control, message, wParam, lParam);
}

BOOL WINAPI SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
    const HWND control = GetDlgItem(dialog, id);
    return control == nullptr ? FALSE : SetWindowTextA(control, text);
}

UINT WINAPI GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int bufferSize) {
    const HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) {
        if (buffer != nullptr && bufferSize > 0) {
            buffer[0] = '\0';
        }
        return 0;
    }
    return static_cast<UINT>(GetWindowTextA(control, buffer, bufferSize));
}

BOOL WINAPI SetWindowTextA(HWND window, LPCSTR text) {
    if (find(window) == nullptr) {
        return FALSE;
    }
    return SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) == CB_ERR ? FALSE
                                                                                         : TRUE;
}

int WINAPI GetWindowTextA(HWND window, LPSTR buffer, int bufferSize) {
    if (buffer == nullptr || bufferSize <= 0) {
        return 0;
    }
    if (find(window) == nullptr) {
        buffer[0] = '\0';
        return 0;
    }
    return static_cast<int>(SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(bufferSize),
                                         reinterpret_cast<LPARAM>(buffer)));
}

BOOL WINAPI CheckDlgButton(HWND dialog, int id, UINT check) {
    const HWND button = GetDlgItem(dialog, id);
    if (button == nullptr) {
        return FALSE;
    }
    SendMessageA(button, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND dialog, int id) {
    return static_cast<UINT>(SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0));
}

BOOL WINAPI CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId) {
    Window* d = find(dialog);
    if (d == nullptr) {
        return FALSE;
    }
    const std::vector<HWND> children = d->children;
    for (HWND child : children) {
        const int id = GetDlgCtrlID(child);
        if (id >= firstId && id <= lastId) {
            SendMessageA(child, BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
    return TRUE;
}
