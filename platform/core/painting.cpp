// The colours of a control's text: the parent's answer to WM_CTLCOLORSTATIC
// or WM_CTLCOLOREDIT through a device context, asked when the control is
// invalidated, and kept for the view. A screen reader's description beside.

#include <cstdint>
#include <map>

#include "platform/accessible_description.h"
#include "platform/core/state.h"

using namespace quorvel::platform;

namespace {

// A device context holds the colours set on it until it is released.
struct DeviceContext {
    HWND window = nullptr;
    COLORREF text = CLR_INVALID;
    COLORREF background = CLR_INVALID;
};

// Handles from here up name device contexts, which live until ReleaseDC.
constexpr std::uintptr_t kFirstDc = 0x70000;

std::map<std::uintptr_t, DeviceContext>& contexts() {
    static std::map<std::uintptr_t, DeviceContext> all;
    return all;
}

DeviceContext* findDc(HDC dc) {
    const auto found = contexts().find(reinterpret_cast<std::uintptr_t>(dc));
    return found == contexts().end() ? nullptr : &found->second;
}

// Read-only and disabled edit boxes ask as static texts do.
bool asksAsStatic(const Window& w) {
    return w.kind == ControlKind::Static || (w.style & ES_READONLY) != 0 || !w.enabled();
}

}  // namespace

HDC WINAPI GetDC(HWND window) {
    static std::uintptr_t next = kFirstDc;
    contexts()[next] = DeviceContext{window};
    return reinterpret_cast<HDC>(next++);
}

int WINAPI ReleaseDC(HWND /*window*/, HDC dc) {
    return contexts().erase(reinterpret_cast<std::uintptr_t>(dc)) != 0 ? 1 : 0;
}

COLORREF WINAPI SetTextColor(HDC dc, COLORREF color) {
    DeviceContext* context = findDc(dc);
    if (context == nullptr) {
        return CLR_INVALID;
    }
    const COLORREF before = context->text;
    context->text = color & 0x00FFFFFF;
    return before == CLR_INVALID ? GetSysColor(COLOR_WINDOWTEXT) : before;
}

COLORREF WINAPI GetTextColor(HDC dc) {
    const DeviceContext* context = findDc(dc);
    if (context == nullptr) {
        return CLR_INVALID;
    }
    return context->text == CLR_INVALID ? GetSysColor(COLOR_WINDOWTEXT) : context->text;
}

COLORREF WINAPI SetBkColor(HDC dc, COLORREF color) {
    DeviceContext* context = findDc(dc);
    if (context == nullptr) {
        return CLR_INVALID;
    }
    const COLORREF before = context->background;
    context->background = color & 0x00FFFFFF;
    return before == CLR_INVALID ? GetSysColor(COLOR_WINDOW) : before;
}

HBRUSH WINAPI GetSysColorBrush(int index) {
    static std::map<int, HBRUSH> made;
    const auto found = made.find(index);
    if (found != made.end()) {
        return found->second;
    }
    return made[index] = CreateSolidBrush(GetSysColor(index));
}

BOOL WINAPI InvalidateRect(HWND window, const RECT* /*rect*/, BOOL /*erase*/) {
    Window* w = find(window);
    if (w == nullptr) {
        return FALSE;
    }
    if (!w->isChild() || w->parent == nullptr ||
        (w->kind != ControlKind::Edit && w->kind != ControlKind::Static)) {
        return TRUE;
    }
    const HDC dc = GetDC(window);
    const UINT message = asksAsStatic(*w) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
    const LRESULT brush = SendMessageA(w->parent, message, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(window));
    // Without a brush the parent left the colours to the control.
    const COLORREF text = brush != 0 ? findDc(dc)->text : CLR_INVALID;
    ReleaseDC(window, dc);
    w = find(window);  // the parent may have destroyed it
    if (w != nullptr && w->textColor != text) {
        w->textColor = text;
        notify(window, Change::Colours);
    }
    return TRUE;
}

namespace quorvel::platform {

void setAccessibleDescription(HWND control, const char* description) {
    Window* w = find(control);
    if (w == nullptr || w->description == description) {
        return;
    }
    w->description = description;
    notify(control, Change::Described);
}

}  // namespace quorvel::platform
