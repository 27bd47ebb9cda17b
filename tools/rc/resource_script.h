#pragma once

// The resource-script reader's entry point. readResourceScript() understands
// the preprocessor lines such scripts use (#include, #define, #if...) and the
// DIALOG, DIALOGEX, MENU, ICON and STRINGTABLE statements; anything it cannot
// read is an error naming the file and line. Only the build runs it
// (quorvel_rc_embed, main.cpp): the program links what it read as constant
// records (platform/core/resources.h).

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/resource_templates.h"

namespace quorvel::rc {

using platform::DialogTemplate;
using platform::IconResource;
using platform::MenuResource;
using platform::ResourceName;
using platform::StringResource;

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

}  // namespace quorvel::rc
