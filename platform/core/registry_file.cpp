#include "platform/core/registry_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace quorvel::platform::registry {
namespace {

constexpr const char* kFileName = "registry";
// Temporary files are this name and six random characters.
constexpr std::string_view kTemporaryPrefix = "registry.new-";
constexpr std::string_view kHeader =
    "; Kept settings of this program, one section per key, written whole by the program.\n";

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

void appendHexByte(std::string& out, unsigned char byte) {
    static constexpr char kDigits[] = "0123456789abcdef";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0xf];
}

// "hh,hh,hh" (possibly empty) into bytes; false for anything else.
bool parseHexBytes(std::string_view text, std::string& bytes) {
    bytes.clear();
    if (text.empty()) {
        return true;
    }
    for (std::size_t i = 0;; i += 3) {
        if (i + 2 > text.size()) {
            return false;
        }
        const int high = hexDigit(text[i]);
        const int low = hexDigit(text[i + 1]);
        if (high < 0 || low < 0) {
            return false;
        }
        bytes += static_cast<char>(high * 16 + low);
        if (i + 2 == text.size()) {
            return true;
        }
        if (text[i + 2] != ',') {
            return false;
        }
    }
}

// Up to 8 hex digits, nothing else.
bool parseHexNumber(std::string_view text, std::uint32_t& number) {
    if (text.empty() || text.size() > 8) {
        return false;
    }
    number = 0;
    for (char c : text) {
        const int digit = hexDigit(c);
        if (digit < 0) {
            return false;
        }
        number = number * 16 + static_cast<std::uint32_t>(digit);
    }
    return true;
}

bool validPath(std::string_view path) {
    std::size_t start = 0;
    while (true) {
        const std::size_t end = path.find('\\', start);
        if (!validKeyComponent(path.substr(start, end - start))) {
            return false;
        }
        if (end == std::string_view::npos) {
            return true;
        }
        start = end + 1;
    }
}

// One "name"=data line into value; false for anything else.
bool parseValue(std::string_view line, Value& value) {
    if (line.size() < 3 || line[0] != '"') {
        return false;
    }
    const std::size_t close = line.find('"', 1);
    if (close == std::string_view::npos || close + 1 >= line.size() || line[close + 1] != '=') {
        return false;
    }
    value.name = std::string(line.substr(1, close - 1));
    if (!validValueName(value.name)) {
        return false;
    }
    std::string_view data = line.substr(close + 2);
    if (data.substr(0, 6) == "dword:") {
        std::uint32_t number = 0;
        if (data.size() != 14 || !parseHexNumber(data.substr(6), number)) {
            return false;
        }
        value.type = 4;
        value.data.clear();
        for (int i = 0; i < 4; ++i) {
            value.data += static_cast<char>((number >> (8 * i)) & 0xff);
        }
        return true;
    }
    if (data.substr(0, 4) != "hex(") {
        return false;
    }
    const std::size_t typeEnd = data.find("):");
    if (typeEnd == std::string_view::npos ||
        !parseHexNumber(data.substr(4, typeEnd - 4), value.type)) {
        return false;
    }
    return parseHexBytes(data.substr(typeEnd + 2), value.data);
}

std::string filePath(const std::string& folder) {
    return folder + "/" + kFileName;
}

Status statusOfErrno(int error) {
    return error == ENOSPC || error == EDQUOT || error == EFBIG ? Status::full : Status::unusable;
}

bool writeAll(int descriptor, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(descriptor, text.data() + done, text.size() - done);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// Removes temporary files left by a writer that stopped half way.
void removeTemporaryFiles(const std::string& folder) {
    DIR* directory = ::opendir(folder.c_str());
    if (directory == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(directory)) {
        if (std::string_view(entry->d_name).substr(0, kTemporaryPrefix.size()) ==
            kTemporaryPrefix) {
            ::unlink((folder + "/" + entry->d_name).c_str());
        }
    }
    ::closedir(directory);
}

bool makeFolders(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
        if (slash == std::string::npos) {
            return true;
        }
    }
}

}  // namespace

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

bool validKeyComponent(std::string_view component) {
    if (component.empty() || component.size() > 255) {
        return false;
    }
    for (char c : component) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f || c == ']' || c == '\\') {
            return false;
        }
    }
    return true;
}

bool validValueName(std::string_view name) {
    if (name.size() > 16383) {
        return false;
    }
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f || c == '"') {
            return false;
        }
    }
    return true;
}

std::string formatKeys(const Keys& keys) {
    std::string text(kHeader);
    for (const Key& key : keys) {
        text += '[';
        text += key.path;
        text += "]\n";
        for (const Value& value : key.values) {
            text += '"';
            text += value.name;
            text += "\"=";
            if (value.type == 4 && value.data.size() == 4) {
                text += "dword:";
                for (int i = 3; i >= 0; --i) {
                    appendHexByte(text, static_cast<unsigned char>(value.data[i]));
                }
            } else {
                char type[16];
                std::snprintf(type, sizeof type, "hex(%x):", value.type);
                text += type;
                for (std::size_t i = 0; i < value.data.size(); ++i) {
                    if (i != 0) {
                        text += ',';
                    }
                    appendHexByte(text, static_cast<unsigned char>(value.data[i]));
                }
            }
            text += '\n';
        }
    }
    return text;
}

Keys parseKeys(std::string_view text) {
    Keys keys;
    Key* current = nullptr;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            break;  // a line without its end was cut short: "ab,cd" cut to "ab" reads as another
                    // value
        }
        std::string_view line = text.substr(0, end);
        text = text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty() || line[0] == ';') {
            continue;
        }
        if (line[0] == '[') {
            current = nullptr;
            if (line.back() != ']' || !validPath(line.substr(1, line.size() - 2))) {
                continue;  // its values are skipped with it
            }
            const std::string_view path = line.substr(1, line.size() - 2);
            for (Key& key : keys) {
                if (sameName(key.path, path)) {
                    current = &key;
                }
            }
            if (current == nullptr) {
                current = &keys.emplace_back(Key{std::string(path), {}});
            }
            continue;
        }
        Value value;
        if (current == nullptr || !parseValue(line, value)) {
            continue;
        }
        bool replaced = false;
        for (Value& existing : current->values) {
            if (sameName(existing.name, value.name)) {
                existing = std::move(value);
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            current->values.push_back(std::move(value));
        }
    }
    return keys;
}

std::string programFolder(std::string_view program) {
    std::string base;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') {
        base = config;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] != '/') {
            return {};
        }
        base = std::string(home) + "/.config";
    }
    while (base.size() > 1 && base.back() == '/') {
        base.pop_back();
    }
    std::string name;
    for (char c : program) {
        name += lower(c);
    }
    return base + "/" + name;
}

Status loadKeys(const std::string& folder, Keys& keys) {
    keys.clear();
    // Not blocking, so that a pipe or a device put in the file's place cannot hold the program.
    const int descriptor =
        ::open(filePath(folder).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0) {
        return errno == ENOENT || errno == ENOTDIR ? Status::missing : Status::unusable;
    }
    struct stat info {};
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<std::size_t>(info.st_size) > kMaxFileSize) {
        ::close(descriptor);
        return Status::unusable;
    }
    // One byte more than its size, to see a file that grew since fstat (the
    // program's own writers replace the file, never grow it).
    std::string text(static_cast<std::size_t>(info.st_size) + 1, '\0');
    std::size_t size = 0;
    while (size < text.size()) {
        const ssize_t got = ::read(descriptor, text.data() + size, text.size() - size);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            ::close(descriptor);
            return Status::unusable;
        }
        if (got == 0) {
            break;
        }
        size += static_cast<std::size_t>(got);
    }
    ::close(descriptor);
    if (size == text.size()) {
        return Status::unusable;
    }
    keys = parseKeys(std::string_view(text.data(), size));
    return Status::ok;
}

FolderLock::FolderLock(const std::string& folder) {
    // A writer that removed the folder while this one waited leaves it deleted:
    // make it again and wait again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (folder.empty() || !makeFolders(folder)) {
            return;
        }
        descriptor_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (descriptor_ < 0) {
            return;
        }
        int locked = 0;
        do {
            locked = ::flock(descriptor_, LOCK_EX);
        } while (locked != 0 && errno == EINTR);
        struct stat info {};
        if (locked == 0 && ::fstat(descriptor_, &info) == 0 && info.st_nlink > 0) {
            return;
        }
        ::close(descriptor_);
        descriptor_ = -1;
    }
}

FolderLock::~FolderLock() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);  // and with it the lock
    }
}

Status writeKeys(const std::string& folder, const Keys& keys) {
    const std::string path = filePath(folder);
    if (keys.empty()) {
        removeTemporaryFiles(folder);
        if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
            return Status::unusable;
        }
        ::rmdir(folder.c_str());  // fails, as it should, when anything else is in it
        return Status::ok;
    }
    const std::string text = formatKeys(keys);
    if (text.size() > kMaxFileSize) {
        return Status::full;
    }
    std::string temporary = folder + "/" + std::string(kTemporaryPrefix) + "XXXXXX";
    const int descriptor = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (descriptor < 0) {
        return statusOfErrno(errno);
    }
    bool written = writeAll(descriptor, text) && ::fsync(descriptor) == 0;
    int error = errno;
    if (::close(descriptor) != 0 && written) {
        written = false;
        error = errno;
    }
    if (written && ::rename(temporary.c_str(), path.c_str()) != 0) {
        written = false;
        error = errno;
    }
    if (!written) {
        ::unlink(temporary.c_str());
        return statusOfErrno(error);
    }
    // The rename itself reaches the disk with the folder.
    const int directory = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory >= 0) {
        ::fsync(directory);
        ::close(directory);
    }
    return Status::ok;
}

}  // namespace quorvel::platform::registry
