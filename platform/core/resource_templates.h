#pragma once

// The resources of a program as the core uses them: dialog templates, menus,
// icons and string table entries. The build compiles the program's resource
// script into constant records (resources.h, tools/rc) that become these at
// the first look-up of each.

#include <optional>
#include <string>
#include <vector>

#include "platform/core/window.h"
#include "platform/win32.h"

namespace quorvel::platform {

// A resource's name: a number (MAKEINTRESOURCE) or a case-insensitive text.
struct ResourceName {
    int number = -1;   // -1 when named by text
    std::string text;  // upper case

    bool matches(LPCSTR name) const;
    std::string describe() const;

    bool operator==(const ResourceName&) const = default;
};

struct ControlTemplate {
    std::string className;  // "Button", "Edit", "Static", "ComboBox" or another class
    std::string text;
    std::optional<ResourceName> image;  // an icon named instead of a text
    int id = -1;
    Rect rect;  // dialog units
    DWORD style = 0;
    DWORD exStyle = 0;

    bool operator==(const ControlTemplate&) const = default;
};

struct DialogTemplate {
    ResourceName name;
    bool extended = false;  // DIALOGEX
    Rect rect;              // dialog units
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string caption;
    std::string className;  // empty: the platform's dialog class
    std::optional<ResourceName> menu;
    std::string fontName;
    int fontPointSize = 0;
    std::vector<ControlTemplate> controls;

    bool operator==(const DialogTemplate&) const = default;
};

struct MenuItem {
    std::string text;  // with its '&' mnemonic marks
    int id = 0;
    bool separator = false;
    bool grayed = false;
    bool checked = false;
    std::vector<MenuItem> items;  // a POPUP's items
    bool popup = false;

    bool operator==(const MenuItem&) const = default;
};

struct MenuResource {
    ResourceName name;
    std::vector<MenuItem> items;
};

struct IconResource {
    ResourceName name;
    std::string fileName;
    std::string bytes;  // the .ico file
};

struct StringResource {
    int id = 0;
    std::string text;
};

}  // namespace quorvel::platform
