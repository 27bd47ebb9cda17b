#include <cstdint>

#include "platform/core/code_page.h"
#include "platform/core/resource_templates.h"

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
    return number < 0 && equalIgnoringCase(wanted, text);
}

std::string ResourceName::describe() const {
    return number >= 0 ? std::to_string(number) : text;
}

}  // namespace quorvel::platform
