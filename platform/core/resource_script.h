#pragma once

// The resources of a resource script (.rc) as the core uses them: dialog
// templates, menus, icons and string tables. readResourceScript() understands
// the preprocessor lines such scripts use (#include, #define, #if...) and the
// DIALOG, DIALOGEX, MENU, ICON and STRINGTABLE statements; anything it cannot
// read is an error naming the file and line. It runs when the program is
// built (platform/rc_embed); the program links what it read as constant
// records (resources.h).

#include <functional>
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

struct ResourceScript {
    std::vector<DialogTemplate> dialogs;
    std::vector<MenuResource> menus;
    std::vector<IconResource> icons;
    std::vector<StringResource> strings;  // every STRINGTABLE's entries
};

// Reads a file named relative to the script's folder ("resource.h",
// "icons/app.ico"); nullopt when there is no such file.
using ScriptFileReader = std::function<std::optional<std::string>(const std::string& path)>;

struct ScriptReadResult {
    std::optional<ResourceScript> script;
    std::string error;               // "file:line: what is wrong" when script is empty
    std::vector<std::string> files;  // every file read, the script first
};

ScriptReadResult readResourceScript(const std::string& scriptPath,
                                    const ScriptFileReader& readFile);

}  // namespace quorvel::platform
