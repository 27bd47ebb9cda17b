// The registry calls over the per-user file of registry_file.h. Only keys
// under HKEY_CURRENT_USER\Software\<Program> exist; every call reads the file
// afresh, and every change rewrites it whole, so that two programs using the
// same key see each other's last change and never half of one.

#include <sys/stat.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "platform/core/registry_file.h"
#include "platform/win32.h"

using namespace quorvel::platform::registry;

// An open key: its path below HKEY_CURRENT_USER.
struct HKEY__ {
    std::string path;
};

namespace {

constexpr std::string_view kSoftware = "Software";

// Handles given out and not yet closed, so that a closed or made-up handle is
// refused instead of used.
std::set<HKEY>& openKeys() {
    static std::set<HKEY> keys;
    return keys;
}

std::vector<std::string_view> components(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = path.find('\\', start);
        const std::string_view part = path.substr(start, end - start);
        if (!part.empty()) {
            parts.push_back(part);
        }
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    return parts;
}

// A program's name as the name of its folder: letters, digits, '.', '_' and
// '-', not beginning with '.'.
bool validProgramName(std::string_view name) {
    if (name.empty() || name[0] == '.') {
        return false;
    }
    for (char c : name) {
        const bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                             (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
        if (!allowed) {
            return false;
        }
    }
    return true;
}

// The key named by subKey below key: its full path, and the folder of the
// file it is kept in.
struct Target {
    LSTATUS status = ERROR_SUCCESS;
    std::string path;
    std::string folder;
    bool programRoot = false;  // HKEY_CURRENT_USER\Software\<Program> itself
};

Target target(HKEY key, LPCSTR subKey) {
    Target result;
    std::string full;
    if (key == HKEY_CURRENT_USER) {
        full = "";
    } else if (openKeys().count(key) != 0) {
        full = key->path;
    } else {
        result.status = ERROR_INVALID_HANDLE;
        return result;
    }
    if (subKey != nullptr) {
        full += '\\';
        full += subKey;
    }
    const std::vector<std::string_view> parts = components(full);
    for (std::string_view part : parts) {
        if (!validKeyComponent(part)) {
            result.status = ERROR_INVALID_PARAMETER;
            return result;
        }
    }
    if (parts.size() < 2 || !sameName(parts[0], kSoftware) || !validProgramName(parts[1])) {
        result.status = ERROR_ACCESS_DENIED;
        return result;
    }
    for (std::string_view part : parts) {
        if (!result.path.empty()) {
            result.path += '\\';
        }
        result.path += part;
    }
    result.folder = programFolder(parts[1]);
    if (result.folder.empty()) {
        result.status = ERROR_ACCESS_DENIED;
    }
    result.programRoot = parts.size() == 2;
    return result;
}

// Whether path is within (or is) the key tree.
bool within(std::string_view path, std::string_view tree) {
    return path.size() >= tree.size() && sameName(path.substr(0, tree.size()), tree) &&
           (path.size() == tree.size() || path[tree.size()] == '\\');
}

Key* findKey(Keys& keys, std::string_view path) {
    for (Key& key : keys) {
        if (sameName(key.path, path)) {
            return &key;
        }
    }
    return nullptr;
}

// A key exists when it was created, or when a key below it was.
bool exists(const Keys& keys, std::string_view path) {
    for (const Key& key : keys) {
        if (within(key.path, path)) {
            return true;
        }
    }
    return false;
}

LSTATUS statusOf(Status status) {
    switch (status) {
        case Status::ok:
            return ERROR_SUCCESS;
        case Status::missing:
            return ERROR_FILE_NOT_FOUND;
        case Status::full:
            return ERROR_DISK_FULL;
        case Status::unusable:
        default:
            return ERROR_ACCESS_DENIED;
    }
}

HKEY openHandle(std::string path) {
    HKEY handle = new HKEY__{std::move(path)};
    openKeys().insert(handle);
    return handle;
}

}  // namespace

LSTATUS WINAPI RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD /*reserved*/, LPSTR /*keyClass*/,
                               DWORD /*options*/, REGSAM /*access*/,
                               const SECURITY_ATTRIBUTES* /*security*/, PHKEY result,
                               LPDWORD disposition) {
    if (result == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    *result = nullptr;
    const Target where = target(key, subKey);
    if (where.status != ERROR_SUCCESS) {
        return where.status;
    }
    Keys keys;
    const bool existed = loadKeys(where.folder, keys) == Status::ok && exists(keys, where.path);
    if (!existed) {
        const Status written = updateKeys(where.folder, [&](Keys& current) {
            if (exists(current, where.path)) {
                return false;
            }
            current.push_back(Key{where.path, {}});
            return true;
        });
        if (written != Status::ok && written != Status::missing) {
            return statusOf(written);
        }
    }
    if (disposition != nullptr) {
        *disposition = existed ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    }
    *result = openHandle(where.path);
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD /*options*/, REGSAM /*access*/,
                             PHKEY result) {
    if (result == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    *result = nullptr;
    const Target where = target(key, subKey);
    if (where.status != ERROR_SUCCESS) {
        // Nothing can be kept outside a program's key, so nothing is found there.
        return where.status == ERROR_ACCESS_DENIED ? ERROR_FILE_NOT_FOUND : where.status;
    }
    Keys keys;
    if (loadKeys(where.folder, keys) != Status::ok || !exists(keys, where.path)) {
        return ERROR_FILE_NOT_FOUND;
    }
    *result = openHandle(where.path);
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegSetValueExA(HKEY key, LPCSTR valueName, DWORD /*reserved*/, DWORD type,
                              const BYTE* data, DWORD size) {
    const Target where = target(key, nullptr);
    if (where.status != ERROR_SUCCESS) {
        return where.status;
    }
    const std::string name = valueName != nullptr ? valueName : "";
    if (!validValueName(name) || (data == nullptr && size != 0)) {
        return ERROR_INVALID_PARAMETER;
    }
    Value value{name, type,
                data != nullptr ? std::string(reinterpret_cast<const char*>(data), size) : ""};
    const Status written = updateKeys(where.folder, [&](Keys& keys) {
        Key* kept = findKey(keys, where.path);
        if (kept == nullptr) {
            // Removed by another program since it was opened: made again.
            kept = &keys.emplace_back(Key{where.path, {}});
        }
        for (Value& existing : kept->values) {
            if (sameName(existing.name, name)) {
                // The same again is not written: a user pressing OK twice waits for no disk.
                const bool changed = existing.type != value.type || existing.data != value.data;
                existing = value;
                return changed;
            }
        }
        kept->values.push_back(value);
        return true;
    });
    return written == Status::missing ? ERROR_SUCCESS : statusOf(written);
}

LSTATUS WINAPI RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD /*reserved*/, LPDWORD type,
                                LPBYTE data, LPDWORD size) {
    const Target where = target(key, nullptr);
    if (where.status != ERROR_SUCCESS) {
        return where.status;
    }
    if (data != nullptr && size == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    Keys keys;
    loadKeys(where.folder, keys);
    const Key* kept = findKey(keys, where.path);
    const std::string_view name = valueName != nullptr ? valueName : "";
    if (kept == nullptr) {
        return ERROR_FILE_NOT_FOUND;
    }
    for (const Value& value : kept->values) {
        if (!sameName(value.name, name)) {
            continue;
        }
        if (type != nullptr) {
            *type = value.type;
        }
        if (size == nullptr) {
            return ERROR_SUCCESS;
        }
        const DWORD needed = static_cast<DWORD>(value.data.size());
        if (data != nullptr && *size < needed) {
            *size = needed;
            return ERROR_MORE_DATA;
        }
        if (data != nullptr) {
            std::memcpy(data, value.data.data(), needed);
        }
        *size = needed;
        return ERROR_SUCCESS;
    }
    return ERROR_FILE_NOT_FOUND;
}

LSTATUS WINAPI RegDeleteTreeA(HKEY key, LPCSTR subKey) {
    const Target where = target(key, subKey);
    if (where.status != ERROR_SUCCESS) {
        return where.status;
    }
    // Without a subkey, the key's values and subkeys go and the key stays.
    const bool keepKey = subKey == nullptr;
    if (where.programRoot && !keepKey) {
        // The whole file goes, whatever is in it; a folder of its own is left
        // alone, and only emptied of what this program put there.
        struct stat info {};
        if (::stat(where.folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
            return ERROR_FILE_NOT_FOUND;
        }
        FolderLock lock(where.folder);
        if (!lock.held()) {
            return ERROR_ACCESS_DENIED;
        }
        Keys keys;
        if (loadKeys(where.folder, keys) == Status::missing) {
            writeKeys(where.folder, {});  // and the folder, when it is empty
            return ERROR_FILE_NOT_FOUND;
        }
        return statusOf(writeKeys(where.folder, {}));
    }
    Keys stored;
    if (loadKeys(where.folder, stored) == Status::missing) {
        return ERROR_FILE_NOT_FOUND;
    }
    return statusOf(updateKeys(where.folder, [&](Keys& keys) {
        const std::size_t before = keys.size();
        bool found = false;
        std::erase_if(keys, [&](const Key& kept) {
            const bool inside = within(kept.path, where.path);
            found = found || inside;
            return inside && !(keepKey && sameName(kept.path, where.path));
        });
        if (keepKey) {
            if (Key* kept = findKey(keys, where.path)) {
                kept->values.clear();
            }
        }
        return found || keys.size() != before;
    }));
}

LSTATUS WINAPI RegCloseKey(HKEY key) {
    if (openKeys().erase(key) == 0) {
        return ERROR_INVALID_HANDLE;
    }
    delete key;
    return ERROR_SUCCESS;
}
