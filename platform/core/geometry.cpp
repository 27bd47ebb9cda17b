// Where windows are and how big: the dialog's own units throughout (see
// platform/win32.h), so the core needs no screen and no font.

#include <algorithm>
#include <climits>

#include "platform/core/input.h"
#include "platform/core/state.h"

namespace quorvel::platform {
namespace {

// The top left corner of a window's client area on the screen.
POINT originOf(HWND window) {
    POINT origin{0, 0};
    for (const Window* w = find(window); w != nullptr;
         w = w->isChild() ? find(w->parent) : nullptr) {
        origin.x += w->rect.x;
        origin.y += w->rect.y;
    }
    return origin;
}

// The sizes a window with a sizing frame may take, from its answer to
// WM_GETMINMAXINFO (nothing asked of a window without one).
Rect withinTrackingLimits(HWND window, Rect wanted) {
    const Window* w = find(window);
    if (w == nullptr || (w->style & WS_THICKFRAME) == 0) {
        return wanted;
    }
    MINMAXINFO limits{};
    limits.ptMaxTrackSize = POINT{INT_MAX, INT_MAX};
    SendMessageA(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    const auto clamp = [](LONG value, LONG low, LONG high) {
        return std::max(low, std::min(value, std::max(low, high)));
    };
    wanted.cx = clamp(wanted.cx, limits.ptMinTrackSize.x, limits.ptMaxTrackSize.x);
    wanted.cy = clamp(wanted.cy, limits.ptMinTrackSize.y, limits.ptMaxTrackSize.y);
    return wanted;
}

}  // namespace

bool placeWindow(HWND window, int x, int y, int cx, int cy, UINT flags) {
    Window* w = find(window);
    if (w == nullptr) {
        return false;
    }
    Rect wanted = w->rect;
    if ((flags & SWP_NOMOVE) == 0) {
        wanted.x = x;
        wanted.y = y;
    }
    if ((flags & SWP_NOSIZE) == 0) {
        wanted.cx = std::max(0, cx);
        wanted.cy = std::max(0, cy);
        wanted = withinTrackingLimits(window, wanted);
    }
    w = find(window);  // WM_GETMINMAXINFO may have destroyed it
    if (w == nullptr || wanted == w->rect) {
        return w != nullptr;
    }
    const bool sized = wanted.cx != w->rect.cx || wanted.cy != w->rect.cy;
    w->rect = wanted;
    notify(window, Change::Geometry);
    if (sized) {
        SendMessageA(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(wanted.cx, wanted.cy));
    }
    return true;
}

}  // namespace quorvel::platform

namespace quorvel::platform::input {

bool resize(HWND window, int width, int height) {
    const Window* w = find(window);
    if (w == nullptr || w->isChild() || (w->style & WS_THICKFRAME) == 0 || !takesInput(window)) {
        return false;
    }
    return placeWindow(window, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace quorvel::platform::input

using namespace quorvel::platform;

BOOL WINAPI GetClientRect(HWND window, RECT* rect) {
    const Window* w = find(window);
    if (w == nullptr || rect == nullptr) {
        return FALSE;
    }
    *rect = RECT{0, 0, w->rect.cx, w->rect.cy};
    return TRUE;
}

BOOL WINAPI GetWindowRect(HWND window, RECT* rect) {
    const Window* w = find(window);
    if (w == nullptr || rect == nullptr) {
        return FALSE;
    }
    const POINT origin = originOf(window);
    *rect = RECT{origin.x, origin.y, origin.x + w->rect.cx, origin.y + w->rect.cy};
    return TRUE;
}

int WINAPI MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
    if ((from != HWND_DESKTOP && find(from) == nullptr) ||
        (to != HWND_DESKTOP && find(to) == nullptr)) {
        return 0;
    }
    const POINT a = originOf(from);
    const POINT b = originOf(to);
    const LONG dx = a.x - b.x;
    const LONG dy = a.y - b.y;
    for (UINT i = 0; points != nullptr && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return static_cast<int>(MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy)));
}

BOOL WINAPI MapDialogRect(HWND dialog, RECT* rect) {
    const Window* w = find(dialog);
    return w != nullptr && w->isDialog && rect != nullptr ? TRUE : FALSE;
}

BOOL WINAPI MoveWindow(HWND window, int x, int y, int width, int height, BOOL /*repaint*/) {
    return placeWindow(window, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE) ? TRUE : FALSE;
}

BOOL WINAPI SetWindowPos(HWND window, HWND /*insertAfter*/, int x, int y, int cx, int cy,
                         UINT flags) {
    return placeWindow(window, x, y, cx, cy, flags | SWP_NOZORDER) ? TRUE : FALSE;
}

HWND WINAPI GetWindow(HWND window, UINT relation) {
    const Window* w = find(window);
    if (w == nullptr) {
        return nullptr;
    }
    if (relation == GW_CHILD) {
        return w->children.empty() ? nullptr : w->children.front();
    }
    const Window* parent = w->isChild() ? find(w->parent) : nullptr;
    if (parent == nullptr || (relation != GW_HWNDNEXT && relation != GW_HWNDPREV)) {
        return nullptr;
    }
    const auto& siblings = parent->children;
    const auto at = std::find(siblings.begin(), siblings.end(), window);
    if (at == siblings.end()) {
        return nullptr;
    }
    if (relation == GW_HWNDNEXT) {
        return at + 1 == siblings.end() ? nullptr : *(at + 1);
    }
    return at == siblings.begin() ? nullptr : *(at - 1);
}
