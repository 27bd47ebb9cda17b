// Windows: creation and destruction, visibility, enabling, focus and the
// window queries.

#include <algorithm>
#include <cstring>

#include "platform/core/code_page.h"
#include "platform/core/resources.h"
#include "platform/core/state.h"

namespace quorvel::platform {
namespace {

std::uintptr_t key(HWND window) {
    return reinterpret_cast<std::uintptr_t>(window);
}

const WindowClass* findClass(const std::string& name) {
    const auto same = [&name](const WindowClass& c) { return equalIgnoringCase(c.name, name); };
    const auto& classes = state().classes;
    const auto found = std::find_if(classes.begin(), classes.end(), same);
    return found == classes.end() ? nullptr : &*found;
}

// Destroys a window and everything in it: WM_DESTROY to the window before
// its children, then the view hears of the children before the window.
void destroyTree(HWND window) {
    SendMessageA(window, WM_DESTROY, 0, 0);
    Window* w = find(window);
    if (w == nullptr) {
        return;
    }
    const std::vector<HWND> children = w->children;
    for (HWND child : children) {
        if (Window* c = find(child); c != nullptr && !c->destroying) {
            c->destroying = true;
            destroyTree(child);
        }
    }
    State& s = state();
    if (s.view != nullptr) {
        s.view->destroyed(window);
    }
    w = find(window);
    if (w == nullptr) {
        return;
    }
    if (Window* parent = find(w->parent); parent != nullptr && w->isChild()) {
        std::erase(parent->children, window);
    }
    std::erase(s.topLevels, window);
    if (s.focus == window) {
        s.focus = nullptr;
    }
    if (s.active == window) {
        s.active = nullptr;
    }
    auto node = s.windows.extract(key(window));
    s.destroyed.push_back(std::move(node.mapped()));
}

}  // namespace

State& state() {
    static State instance = [] {
        State s;
        s.classes = builtInClasses();
        return s;
    }();
    return instance;
}

Window* find(HWND window) {
    if (window == nullptr) {
        return nullptr;
    }
    auto& windows = state().windows;
    const auto found = windows.find(key(window));
    return found == windows.end() ? nullptr : found->second.get();
}

HWND topLevelOf(HWND window) {
    Window* w = find(window);
    while (w != nullptr && w->isChild() && find(w->parent) != nullptr) {
        w = find(w->parent);
    }
    return w == nullptr ? nullptr : w->handle;
}

bool isSelfOrDescendant(HWND ancestor, HWND window) {
    for (Window* w = find(window); w != nullptr; w = w->isChild() ? find(w->parent) : nullptr) {
        if (w->handle == ancestor) {
            return true;
        }
    }
    return false;
}

bool takesInput(HWND window) {
    Window* w = find(window);
    if (w == nullptr) {
        return false;
    }
    for (; w != nullptr; w = w->isChild() ? find(w->parent) : nullptr) {
        if (!w->visible() || !w->enabled()) {
            return false;
        }
    }
    return true;
}

void notify(HWND window, Change what) {
    if (View* view = state().view; view != nullptr && find(window) != nullptr) {
        view->changed(window, what);
    }
}

void setStyle(HWND window, DWORD style) {
    Window* w = find(window);
    if (w != nullptr && w->style != style) {
        w->style = style;
        notify(window, Change::Style);
    }
}

HWND createWindow(const CreateParams& params) {
    const WindowClass* windowClass = findClass(params.className);
    State& s = state();
    const bool child = (params.style & WS_CHILD) != 0;
    Window* const parent = child ? find(params.parent) : nullptr;
    if (windowClass == nullptr || (child && parent == nullptr)) {
        return nullptr;
    }
    auto owned = std::make_unique<Window>();
    Window& w = *owned;
    w.handle = reinterpret_cast<HWND>(s.nextHandle);
    s.nextHandle += 4;
    w.className = windowClass->name;
    w.kind = windowClass->kind;
    w.procedure = windowClass->procedure;
    w.instance = params.instance;
    w.style = params.style;
    w.exStyle = params.exStyle;
    w.id = child ? params.id : 0;
    w.text = params.text;
    w.rect = params.rect;
    w.inDialogUnits = params.inDialogUnits;
    w.staticIcon = params.staticIcon;
    if (child) {
        w.parent = params.parent;
    } else {
        w.owner = topLevelOf(params.parent);
        w.icon = windowClass->icon;
        w.background = windowClass->background;
        w.menu = params.menu;
        if (w.menu == nullptr && windowClass->menu) {
            const ResourceName& name = *windowClass->menu;
            w.menu = findMenu(name.number >= 0 ? MAKEINTRESOURCEA(name.number) : name.text.c_str());
        }
    }
    if (params.dialog != nullptr) {
        w.isDialog = true;
        w.fontName = params.dialog->fontName;
        w.fontPointSize = params.dialog->fontPointSize;
    }
    const HWND handle = w.handle;
    s.windows.emplace(key(handle), std::move(owned));
    if (parent != nullptr) {
        parent->children.push_back(handle);
    } else {
        s.topLevels.push_back(handle);
    }
    if (s.view != nullptr) {
        s.view->created(handle);
    }

    CREATESTRUCTA create{};
    create.hInstance = params.instance;
    create.hwndParent = params.parent;
    create.x = params.rect.x;
    create.y = params.rect.y;
    create.cx = params.rect.cx;
    create.cy = params.rect.cy;
    create.style = static_cast<LONG>(params.style);
    create.lpszName = params.text.c_str();
    create.lpszClass = windowClass->name.c_str();
    create.dwExStyle = params.exStyle;
    if (SendMessageA(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindow(handle);
        return nullptr;
    }
    return find(handle) == nullptr ? nullptr : handle;
}

void activate(HWND topLevel) {
    State& s = state();
    Window* w = find(topLevel);
    if (w == nullptr) {
        return;
    }
    s.active = topLevel;
    if (s.focus != nullptr && isSelfOrDescendant(topLevel, s.focus)) {
        return;
    }
    HWND target = w->savedFocus;
    if (!isSelfOrDescendant(topLevel, target) || !takesInput(target)) {
        target = w->isDialog ? nextTabItem(topLevel, nullptr, false) : nullptr;
    }
    SetFocus(target != nullptr ? target : topLevel);
}

void setDialogFocus(HWND control) {
    if (SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
        SendMessageA(control, EM_SETSEL, 0, -1);
    }
    SetFocus(control);
}

LRESULT copyText(const std::string& text, WPARAM size, LPARAM buffer) {
    char* out = reinterpret_cast<char*>(buffer);
    if (out == nullptr || size == 0) {
        return 0;
    }
    const std::size_t count = std::min<std::size_t>(text.size(), size - 1);
    std::memcpy(out, text.data(), count);
    out[count] = '\0';
    return static_cast<LRESULT>(count);
}

// View access --------------------------------------------------------------

void setView(View* view) {
    state().view = view;
}
View* currentView() {
    return state().view;
}
const Window* findWindow(HWND window) {
    return find(window);
}
std::vector<HWND> topLevelWindows() {
    return state().topLevels;
}
HWND activeWindow() {
    return state().active;
}

HWND defaultButton(HWND dialog) {
    Window* d = find(dialog);
    if (d == nullptr) {
        return nullptr;
    }
    const HWND focus = state().focus;
    if (Window* f = find(focus); f != nullptr && f->kind == ControlKind::Button &&
                                 f->parent == dialog && f->type() == BS_DEFPUSHBUTTON) {
        return focus;
    }
    return d->defaultId != 0 ? GetDlgItem(dialog, d->defaultId) : nullptr;
}

}  // namespace quorvel::platform

using namespace quorvel::platform;

BOOL WINAPI DestroyWindow(HWND window) {
    Window* w = find(window);
    if (w == nullptr || w->destroying) {
        return FALSE;
    }
    w->destroying = true;
    State& s = state();
    const std::vector<HWND> tops = s.topLevels;
    for (HWND top : tops) {
        if (Window* t = find(top); t != nullptr && t->owner == window && !t->destroying) {
            DestroyWindow(top);
        }
    }
    w = find(window);
    if (w == nullptr) {
        return TRUE;
    }
    const HWND owner = w->owner;
    const bool wasActive = s.active == window;
    if (w->visible()) {
        w->style &= ~static_cast<DWORD>(WS_VISIBLE);
        notify(window, Change::Visible);
    }
    if (s.focus != nullptr && isSelfOrDescendant(window, s.focus)) {
        SetFocus(w->isChild() ? w->parent : nullptr);
    }
    destroyTree(window);
    if (wasActive && find(owner) != nullptr) {
        activate(owner);
    }
    return TRUE;
}

BOOL WINAPI ShowWindow(HWND window, int command) {
    Window* w = find(window);
    if (w == nullptr) {
        return FALSE;
    }
    const BOOL wasVisible = w->visible() ? TRUE : FALSE;
    State& s = state();
    if (command == SW_HIDE) {
        if (wasVisible) {
            w->style &= ~static_cast<DWORD>(WS_VISIBLE);
            notify(window, Change::Visible);
        }
        // A hidden control gives the focus back to the window it sits in.
        if (w->isChild() && s.focus != nullptr && isSelfOrDescendant(window, s.focus)) {
            SetFocus(w->parent);
        }
        if (!w->isChild() && s.active == window) {
            if (s.focus != nullptr && isSelfOrDescendant(window, s.focus)) {
                SetFocus(nullptr);
            }
            s.active = nullptr;
            if (find(w->owner) != nullptr) {
                activate(w->owner);
            }
        }
        return wasVisible;
    }
    if (!wasVisible) {
        w->style |= WS_VISIBLE;
        notify(window, Change::Visible);
    }
    if (!w->isChild() && w->enabled()) {
        activate(window);
    }
    return wasVisible;
}

BOOL WINAPI UpdateWindow(HWND window) {
    return find(window) != nullptr ? TRUE : FALSE;
}

BOOL WINAPI IsWindow(HWND window) {
    return find(window) != nullptr ? TRUE : FALSE;
}

BOOL WINAPI IsWindowVisible(HWND window) {
    Window* w = find(window);
    if (w == nullptr) {
        return FALSE;
    }
    for (; w != nullptr; w = w->isChild() ? find(w->parent) : nullptr) {
        if (!w->visible()) {
            return FALSE;
        }
    }
    return TRUE;
}

BOOL WINAPI EnableWindow(HWND window, BOOL enable) {
    Window* w = find(window);
    if (w == nullptr) {
        return FALSE;
    }
    const BOOL wasDisabled = w->enabled() ? FALSE : TRUE;
    if (enable && wasDisabled) {
        w->style &= ~static_cast<DWORD>(WS_DISABLED);
        notify(window, Change::Enabled);
    } else if (!enable && !wasDisabled) {
        w->style |= WS_DISABLED;
        notify(window, Change::Enabled);
        // A disabled window cannot keep the keyboard focus.
        if (state().focus == window) {
            SetFocus(nullptr);
        }
    }
    return wasDisabled;
}

BOOL WINAPI IsWindowEnabled(HWND window) {
    Window* w = find(window);
    return w != nullptr && w->enabled() ? TRUE : FALSE;
}

HWND WINAPI GetDlgItem(HWND dialog, int id) {
    Window* d = find(dialog);
    if (d == nullptr) {
        return nullptr;
    }
    for (HWND child : d->children) {
        if (Window* c = find(child); c != nullptr && c->id == id) {
            return child;
        }
    }
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND control) {
    Window* w = find(control);
    return w != nullptr && w->isChild() ? w->id : 0;
}

HWND WINAPI GetParent(HWND window) {
    Window* w = find(window);
    if (w == nullptr) {
        return nullptr;
    }
    if (w->isChild()) {
        return w->parent;
    }
    return (w->style & WS_POPUP) != 0 ? w->owner : nullptr;
}

HWND WINAPI SetFocus(HWND window) {
    State& s = state();
    const HWND previous = s.focus;
    if (window != nullptr) {
        Window* w = find(window);
        if (w == nullptr) {
            return nullptr;
        }
        // Neither a disabled window nor one inside a disabled window can
        // take the focus.
        // The last window of the walk is the top-level one.
        Window* top = w;
        for (Window* a = w; a != nullptr; a = a->isChild() ? find(a->parent) : nullptr) {
            if (!a->enabled()) {
                return nullptr;
            }
            top = a;
        }
        if (window == previous) {
            return previous;
        }
        s.active = top->handle;
        if (top != w) {
            top->savedFocus = window;
        }
    }
    if (window == previous) {
        return previous;
    }
    s.focus = window;
    if (previous != nullptr && find(previous) != nullptr) {
        SendMessageA(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
    }
    if (window != nullptr && s.focus == window && find(window) != nullptr) {
        SendMessageA(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    }
    if (s.view != nullptr) {
        s.view->focusChanged(previous, s.focus);
    }
    return previous;
}

HWND WINAPI GetFocus(void) {
    return state().focus;
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND window, int index) {
    Window* w = find(window);
    if (w == nullptr) {
        return 0;
    }
    switch (index) {
        case GWLP_HINSTANCE:
            return reinterpret_cast<LONG_PTR>(w->instance);
        case GWL_ID:
            return w->id;
        case GWL_STYLE:
            return static_cast<LONG_PTR>(w->style);
        case GWL_EXSTYLE:
            return static_cast<LONG_PTR>(w->exStyle);
        default:
            return 0;
    }
}
