#include <cctype>
#include <cstdint>

#include "platform/core/resource_script.h"

namespace quorvel::platform {

bool ResourceName::matches(LPCSTR name) const {
    const auto value = reinterpret_cast<std::uintptr_t>(name);
    if (value >> 16 == 0) {
        return number == static_cast<int>(value);
    }
    const std::string_view wanted(name);
    if (!wanted.empty() && wanted[0] == '#') {
        return number >= 0 && std::to_string(number) == wanted.substr(1);
    }
    if (number >= 0 || wanted.size() != text.size()) {
        return false;
    }
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(wanted[i])) !=
            static_cast<unsigned char>(text[i])) {
            return false;
        }
    }
    return true;
}

std::string ResourceName::describe() const {
    return number >= 0 ? std::to_string(number) : text;
}

}  // namespace quorvel::platform
