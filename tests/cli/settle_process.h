#pragma once

// Runs the built quorvel-settle as a user would, its standard streams piped.

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "lines.h"

namespace quorvel::testing {

struct SettleRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs quorvel-settle with `arguments`, `input` on standard input.
SettleRun runSettle(const std::vector<std::string>& arguments, std::string_view input = {});

// Writes a file in the test's scratch folder and returns its path.
std::string scratchFile(std::string_view name, std::string_view content);

}  // namespace quorvel::testing
