// Window classes, the module, icons, cursors, brushes, system colours,
// common controls and message boxes.

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "platform/core/code_page.h"
#include "platform/core/resources.h"
#include "platform/core/state.h"

using namespace quorvel::platform;

namespace {

// Handle values: the program only compares and passes them back.
constexpr std::uintptr_t kModule = 0x400000;
constexpr std::uintptr_t kFirstIcon = 0x20000;
constexpr std::uintptr_t kFirstBrush = 0x30000;
constexpr std::uintptr_t kFirstStockIcon = 0x40000;
constexpr std::uintptr_t kArrowCursor = 0x50000;
constexpr int kFirstStockId = 32512;
constexpr int kLastStockId = 32518;

bool isNumericName(LPCSTR name) {
    return reinterpret_cast<std::uintptr_t>(name) >> 16 == 0;
}
int numberOf(LPCSTR name) {
    return static_cast<int>(reinterpret_cast<std::uintptr_t>(name));
}

}  // namespace

namespace quorvel::platform {

std::vector<WindowClass> builtInClasses() {
    const auto make = [](const char* name, WNDPROC procedure, ControlKind kind) {
        WindowClass c;
        c.name = name;
        c.procedure = procedure;
        c.kind = kind;
        c.builtIn = true;
        return c;
    };
    return {
        make("#32770", DefDlgProcA, ControlKind::Window),
        make("Button", buttonProcedure, ControlKind::Button),
        make("Edit", editProcedure, ControlKind::Edit),
        make("Static", staticProcedure, ControlKind::Static),
        make("ComboBox", comboBoxProcedure, ControlKind::ComboBox),
        make("msctls_updown32", upDownProcedure, ControlKind::UpDown),
        make(WC_LISTVIEWA, listViewProcedure, ControlKind::ListView),
    };
}

const std::string& iconBytes(HICON icon) {
    static const std::string none;
    const auto value = reinterpret_cast<std::uintptr_t>(icon);
    const auto& icons = state().icons;
    if (value < kFirstIcon || value >= kFirstIcon + icons.size()) {
        return none;
    }
    return icons[value - kFirstIcon]->bytes;
}

COLORREF brushColor(HBRUSH brush) {
    const auto value = reinterpret_cast<std::uintptr_t>(brush);
    const auto& brushes = state().brushes;
    if (value < kFirstBrush || value >= kFirstBrush + brushes.size()) {
        return 0;
    }
    return brushes[value - kFirstBrush];
}

}  // namespace quorvel::platform

ATOM WINAPI RegisterClassA(const WNDCLASSA* windowClass) {
    if (windowClass == nullptr || windowClass->lpfnWndProc == nullptr ||
        windowClass->lpszClassName == nullptr || isNumericName(windowClass->lpszClassName)) {
        return 0;
    }
    State& s = state();
    const std::string name = windowClass->lpszClassName;
    for (const WindowClass& existing : s.classes) {
        if (!existing.builtIn && equalIgnoringCase(existing.name, name)) {
            return 0;  // already registered
        }
    }
    WindowClass c;
    c.name = name;
    c.procedure = windowClass->lpfnWndProc;
    c.instance = windowClass->hInstance;
    c.icon = windowClass->hIcon;
    c.background = windowClass->hbrBackground;
    if (LPCSTR menu = windowClass->lpszMenuName; menu != nullptr) {
        ResourceName menuName;
        if (isNumericName(menu)) {
            menuName.number = numberOf(menu);
        } else {
            menuName.text = menu;
            std::transform(
                menuName.text.begin(), menuName.text.end(), menuName.text.begin(), [](char ch) {
                    return static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
                });
        }
        c.menu = menuName;
    }
    // Application classes come before the built-in ones of the same name:
    // the new class goes to the end and is turned round to the front.
    s.classes.push_back(std::move(c));
    std::rotate(s.classes.begin(), s.classes.end() - 1, s.classes.end());
    const auto applicationClasses = std::count_if(s.classes.begin(), s.classes.end(),
                                                  [](const WindowClass& k) { return !k.builtIn; });
    return static_cast<ATOM>(0xC000 + applicationClasses);
}

HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR iconName) {
    if (iconName == nullptr) {
        return nullptr;
    }
    if (instance == nullptr) {
        const int id = isNumericName(iconName) ? numberOf(iconName) : 0;
        return id >= kFirstStockId && id <= kLastStockId
                   ? reinterpret_cast<HICON>(kFirstStockIcon +
                                             static_cast<std::uintptr_t>(id - kFirstStockId))
                   : nullptr;
    }
    const IconResource* icon = findIcon(iconName);
    if (icon == nullptr) {
        return nullptr;
    }
    auto& icons = state().icons;
    auto found = std::find(icons.begin(), icons.end(), icon);
    if (found == icons.end()) {
        icons.push_back(icon);
        found = icons.end() - 1;
    }
    return reinterpret_cast<HICON>(kFirstIcon + static_cast<std::uintptr_t>(found - icons.begin()));
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR cursorName) {
    if (instance == nullptr && isNumericName(cursorName) && numberOf(cursorName) >= kFirstStockId) {
        return reinterpret_cast<HCURSOR>(kArrowCursor +
                                         static_cast<std::uintptr_t>(numberOf(cursorName)));
    }
    return nullptr;
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
    auto& brushes = state().brushes;
    brushes.push_back(color & 0x00FFFFFF);
    return reinterpret_cast<HBRUSH>(kFirstBrush + brushes.size() - 1);
}

DWORD WINAPI GetSysColor(int index) {
    switch (index) {
        case COLOR_WINDOW:
            return 0x00FFFFFF;
        case COLOR_BTNFACE:
            return 0x00F0F0F0;
        case COLOR_BTNSHADOW:
            return 0x00A0A0A0;
        case COLOR_GRAYTEXT:
            return 0x006D6D6D;
        default:  // text and frames
            return 0x00000000;
    }
}

HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName) {
    return moduleName == nullptr ? reinterpret_cast<HMODULE>(kModule) : nullptr;
}

void WINAPI InitCommonControls(void) {}

HWND WINAPI CreateUpDownControl(DWORD style, int x, int y, int cx, int cy, HWND parent, int id,
                                HINSTANCE instance, HWND buddy, int upper, int lower,
                                int position) {
    CreateParams params;
    params.className = "msctls_updown32";
    params.style = style;
    params.rect = Rect{x, y, cx, cy};
    params.inDialogUnits = false;
    params.parent = parent;
    params.id = id;
    params.instance = instance;
    const HWND upDown = createWindow(params);
    if (upDown == nullptr) {
        return nullptr;
    }
    SendMessageA(upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageA(upDown, UDM_SETRANGE, 0, MAKELONG(upper, lower));
    SendMessageA(upDown, UDM_SETPOS, 0, MAKELONG(position, 0));
    return upDown;
}

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    State& s = state();
    const HWND top = topLevelOf(owner);
    const HWND focus = s.focus;
    // Modal: the owner takes no input while the box is open.
    const bool disabled = top != nullptr && IsWindowEnabled(top);
    if (disabled) {
        EnableWindow(top, FALSE);
    }
    const std::string message = text != nullptr ? text : "";
    const std::string title = caption != nullptr ? caption : "Error";
    int answer = IDOK;
    if (s.view != nullptr) {
        answer = s.view->messageBox(top, message, title, type);
    } else {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), message.c_str());
    }
    if (disabled && find(top) != nullptr) {
        EnableWindow(top, TRUE);
    }
    if (find(focus) != nullptr && s.focus != focus) {
        SetFocus(focus);
    }
    return answer;
}
