#pragma once

// The resource scripts built into the program (cmake/EmbedResources.cmake)
// and the look-ups the platform calls make in them.

#include <cstddef>

#include "platform/core/resource_script.h"

namespace quorvel::platform {

struct EmbeddedFile {
    const char* path;  // relative to the script's folder; the script itself first
    const unsigned char* bytes;
    std::size_t size;
};

// Called once per script by the code the build generates; returns true.
bool registerEmbeddedScript(const EmbeddedFile* files, std::size_t count);

// nullptr when no built-in script has the resource. Scripts are read at the
// first look-up; the build has already checked that they read cleanly.
const DialogTemplate* findDialogTemplate(LPCSTR name);
const MenuResource* findMenu(LPCSTR name);
const IconResource* findIcon(LPCSTR name);
const IconResource* findIcon(const ResourceName& name);

}  // namespace quorvel::platform
