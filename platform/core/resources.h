#pragma once

// The resources built into a program and the look-ups the platform calls
// make in them. The build compiles the program's resource script into the
// constant records below (cmake/EmbedResources.cmake); nothing is read or
// parsed when the program runs.

#include <cstddef>

#include "platform/core/resource_templates.h"

namespace quorvel::platform {

// A resource's name as a record: text is upper case, nullptr when numbered.
struct NameRecord {
    int number = -1;
    const char* text = nullptr;
};

struct ControlRecord {
    const char* className;
    const char* text;
    bool hasImage;  // an icon named instead of a text
    NameRecord image;
    int id;
    Rect rect;
    DWORD style;
    DWORD exStyle;
};

struct DialogRecord {
    NameRecord name;
    bool extended;
    Rect rect;
    DWORD style;
    DWORD exStyle;
    const char* caption;
    const char* className;
    bool hasMenu;
    NameRecord menu;
    const char* fontName;
    int fontPointSize;
    const ControlRecord* controls;
    std::size_t controlCount;
};

struct MenuItemRecord {
    const char* text;
    int id;
    bool separator;
    bool grayed;
    bool checked;
    bool popup;
    const MenuItemRecord* items;  // a POPUP's items
    std::size_t itemCount;
};

struct MenuRecord {
    NameRecord name;
    const MenuItemRecord* items;
    std::size_t itemCount;
};

struct IconRecord {
    NameRecord name;
    const char* fileName;
    const unsigned char* bytes;  // the .ico file
    std::size_t size;
};

struct StringRecord {
    int id;
    const char* text;
};

struct ResourceTable {
    const DialogRecord* dialogs;
    std::size_t dialogCount;
    const MenuRecord* menus;
    std::size_t menuCount;
    const IconRecord* icons;
    std::size_t iconCount;
    const StringRecord* strings;
    std::size_t stringCount;
};

// The program's resources: defined by the source the build compiles from the
// program's script, so a program that looks resources up and has no script
// fails to link.
const ResourceTable& programResources();

// nullptr when the program has no such resource. The records are turned into
// the objects below at the first look-up of each.
const DialogTemplate* findDialogTemplate(LPCSTR name);
const MenuResource* findMenu(LPCSTR name);
const IconResource* findIcon(LPCSTR name);
// A STRINGTABLE entry's text, nullptr when there is none.
const char* findString(int id);

}  // namespace quorvel::platform
