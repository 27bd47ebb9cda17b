// Graying and enabling the commands of a window's menu bar. A window's menu
// handle is the window's own handle, seen as a menu.

#include <algorithm>

#include "platform/core/state.h"

namespace quorvel::platform {
namespace {

const MenuItem* findCommand(const std::vector<MenuItem>& items, int id) {
    for (const MenuItem& item : items) {
        if (item.popup) {
            if (const MenuItem* found = findCommand(item.items, id)) {
                return found;
            }
        } else if (!item.separator && item.id == id) {
            return &item;
        }
    }
    return nullptr;
}

Window* menuWindow(HMENU menu) {
    Window* w = find(reinterpret_cast<HWND>(menu));
    return w != nullptr && w->menu != nullptr ? w : nullptr;
}

}  // namespace

bool hasMenuCommand(const Window& window, int id) {
    return window.menu != nullptr && findCommand(window.menu->items, id) != nullptr;
}

bool menuCommandGrayed(const Window& window, int id) {
    for (const auto& [command, grayed] : window.menuGrayed) {
        if (command == id) {
            return grayed;
        }
    }
    const MenuItem* item = window.menu != nullptr ? findCommand(window.menu->items, id) : nullptr;
    return item == nullptr || item->grayed;
}

}  // namespace quorvel::platform

using namespace quorvel::platform;

HMENU WINAPI GetMenu(HWND window) {
    const Window* w = find(window);
    return w != nullptr && !w->isChild() && w->menu != nullptr ? reinterpret_cast<HMENU>(window)
                                                               : nullptr;
}

BOOL WINAPI EnableMenuItem(HMENU menu, UINT id, UINT enable) {
    Window* w = menuWindow(menu);
    const int command = static_cast<int>(id);
    if (w == nullptr || !hasMenuCommand(*w, command)) {
        return -1;
    }
    const bool was = menuCommandGrayed(*w, command);
    const bool grayed = (enable & (MF_GRAYED | MF_DISABLED)) != 0;
    auto& overrides = w->menuGrayed;
    const auto found =
        std::find_if(overrides.begin(), overrides.end(),
                     [command](const auto& entry) { return entry.first == command; });
    if (found != overrides.end()) {
        found->second = grayed;
    } else {
        overrides.emplace_back(command, grayed);
    }
    if (was != grayed) {
        notify(reinterpret_cast<HWND>(menu), Change::Menu);
    }
    return was ? MF_GRAYED : MF_ENABLED;
}

UINT WINAPI GetMenuState(HMENU menu, UINT id, UINT /*flags*/) {
    const Window* w = menuWindow(menu);
    const int command = static_cast<int>(id);
    if (w == nullptr || !hasMenuCommand(*w, command)) {
        return static_cast<UINT>(-1);
    }
    return menuCommandGrayed(*w, command) ? MF_GRAYED : MF_ENABLED;
}
