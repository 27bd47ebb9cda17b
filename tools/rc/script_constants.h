#pragma once

// The names a resource script may use without defining them: the style,
// id and language constants that the platform's headers give a resource
// compiler.

#include <optional>
#include <string_view>

namespace quorvel::rc {

std::optional<long long> scriptConstant(std::string_view name);

}  // namespace quorvel::rc
