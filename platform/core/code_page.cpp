#include "platform/core/code_page.h"

#include <algorithm>

namespace quorvel::platform {

int compareIgnoringCase(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(lowerCase1252(a[i]));
        const auto y = static_cast<unsigned char>(lowerCase1252(b[i]));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace quorvel::platform
