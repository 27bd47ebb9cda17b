#include "platform/core/resources.h"

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace quorvel::platform {
namespace {

struct Embedded {
    std::map<std::string, std::string> files;
    std::string script;
};

struct Registry {
    std::vector<Embedded> embedded;
    std::vector<ResourceScript> scripts;
    std::size_t read = 0;  // how many of the embedded scripts have been read
};

Registry& registry() {
    static Registry instance;
    return instance;
}

const std::vector<ResourceScript>& scripts() {
    Registry& r = registry();
    while (r.read < r.embedded.size()) {
        const Embedded& embedded = r.embedded[r.read++];
        ScriptReadResult result = readResourceScript(
            embedded.script, [&embedded](const std::string& path) -> std::optional<std::string> {
                const auto found = embedded.files.find(path);
                if (found == embedded.files.end()) {
                    return std::nullopt;
                }
                return found->second;
            });
        if (result.script) {
            r.scripts.push_back(std::move(*result.script));
        } else {
            // The build reads every script before embedding it, so this
            // means a script was embedded by hand.
            std::fprintf(stderr, "resource script: %s\n", result.error.c_str());
        }
    }
    return r.scripts;
}

template <typename T, typename Name>
const T* find(const std::vector<T> ResourceScript::*member, const Name& name) {
    for (const ResourceScript& script : scripts()) {
        for (const T& item : script.*member) {
            if constexpr (std::is_same_v<Name, ResourceName>) {
                if (item.name.number == name.number && item.name.text == name.text) {
                    return &item;
                }
            } else {
                if (name != nullptr && item.name.matches(name)) {
                    return &item;
                }
            }
        }
    }
    return nullptr;
}

}  // namespace

bool registerEmbeddedScript(const EmbeddedFile* files, std::size_t count) {
    if (count == 0) {
        return false;
    }
    Embedded embedded;
    embedded.script = files[0].path;
    for (std::size_t i = 0; i < count; ++i) {
        embedded.files[files[i].path] =
            std::string(reinterpret_cast<const char*>(files[i].bytes), files[i].size);
    }
    registry().embedded.push_back(std::move(embedded));
    return true;
}

const DialogTemplate* findDialogTemplate(LPCSTR name) {
    return find(&ResourceScript::dialogs, name);
}
const MenuResource* findMenu(LPCSTR name) {
    return find(&ResourceScript::menus, name);
}
const IconResource* findIcon(LPCSTR name) {
    return find(&ResourceScript::icons, name);
}
const IconResource* findIcon(const ResourceName& name) {
    return find(&ResourceScript::icons, name);
}

}  // namespace quorvel::platform
