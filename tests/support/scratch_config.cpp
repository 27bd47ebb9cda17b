#include "tests/support/scratch_config.h"

#include <cstdlib>
#include <filesystem>

namespace quorvel::testing {
#ifndef _WIN32
namespace {

std::string& folder() {
    static std::string path;
    return path;
}

void removeFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder(), ignored);
}

}  // namespace
#endif

std::string scratchConfigFolder() {
#ifndef _WIN32
    if (folder().empty()) {
        std::string name = (std::filesystem::temp_directory_path() / "quorvel-config-XXXXXX");
        if (::mkdtemp(name.data()) == nullptr) {
            std::abort();  // never fall back to the user's own folder
        }
        folder() = name;
        std::atexit(removeFolder);
    }
    ::setenv("XDG_CONFIG_HOME", folder().c_str(), 1);
    return folder();
#else
    return {};
#endif
}

}  // namespace quorvel::testing
