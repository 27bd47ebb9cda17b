#pragma once

// The file that keeps one program's registry keys: the keys under
// HKEY_CURRENT_USER\Software\<Program>, their values with their types and
// bytes, read whole and written whole.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::platform::registry {

struct Value {
    std::string name;
    std::uint32_t type = 0;
    std::string data;  // the value's bytes as given
};

struct Key {
    std::string path;  // "Software\Program\Sub", components joined by '\'
    std::vector<Value> values;
};

// Every key kept, in the order they were created.
using Keys = std::vector<Key>;

// A file above this size is not the program's and is not read; a change that
// would make the file larger is refused.
inline constexpr std::size_t kMaxFileSize = 1 << 20;

// Names of keys and values compare without regard to ASCII case, as the
// registry's do.
bool sameName(std::string_view a, std::string_view b);

// The text of the file, and the keys read back from any text: lines that
// cannot be read (cut short, unknown, not text at all) are skipped, and the
// rest still load. A line is whole only with its line end.
std::string formatKeys(const Keys& keys);
Keys parseKeys(std::string_view text);

// Whether a key path component or a value name can be kept: no control
// characters, and no '"' in a value name or ']' in a key name, which end them
// in the file.
bool validKeyComponent(std::string_view component);
bool validValueName(std::string_view name);

enum class Status { ok, missing, unusable, full };

// The folder of a program's file: $XDG_CONFIG_HOME/<program in lower case>,
// or ~/.config/... when XDG_CONFIG_HOME is unset or not an absolute path.
// Empty when neither can be found.
std::string programFolder(std::string_view program);

// Reads the file in folder. A missing file is `missing`; one that is not a
// regular file, cannot be read or is too large is `unusable`, and gives no keys.
Status loadKeys(const std::string& folder, Keys& keys);

// Runs change on the keys of folder's file and, when it says it changed them
// (returns true), writes the result whole: to a
// temporary file in the same folder, flushed to the disk, then renamed over
// the file, so that a reader sees the old file or the new one and never a
// part. Writers of the same folder, in this process or another, take turns.
// No keys left removes the file and, when nothing else is in it, the folder.
// `full` when the disk or the size limit refused the file, `unusable` when the
// folder or the file could not be written, `missing` when change changed nothing.
template <typename Change>
Status updateKeys(const std::string& folder, Change change);

// What updateKeys is made of.
class FolderLock {
  public:
    // Creates the folder (and its parents) when missing, then waits for the lock.
    explicit FolderLock(const std::string& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    bool held() const { return descriptor_ >= 0; }

  private:
    int descriptor_ = -1;
};
Status writeKeys(const std::string& folder, const Keys& keys);

template <typename Change>
Status updateKeys(const std::string& folder, Change change) {
    FolderLock lock(folder);
    if (!lock.held()) {
        return Status::unusable;
    }
    Keys keys;
    const Status read = loadKeys(folder, keys);
    if (read != Status::ok && read != Status::missing) {
        // What cannot be read is not kept: it is replaced.
        keys.clear();
    }
    if (!change(keys)) {
        return Status::missing;
    }
    return writeKeys(folder, keys);
}

}  // namespace quorvel::platform::registry
