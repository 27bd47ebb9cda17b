#pragma once

// The lines of a program's output, without their line breaks.

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::testing {

inline std::vector<std::string> lines(std::string_view text) {
    std::vector<std::string> out;
    std::istringstream in{std::string(text)};
    for (std::string line; std::getline(in, line);) {
        out.push_back(line);
    }
    return out;
}

}  // namespace quorvel::testing
