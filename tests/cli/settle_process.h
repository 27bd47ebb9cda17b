#pragma once

// Runs the built quorvel-settle as a user would, with its own input and output files.

#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace quorvel::testing {

struct SettleRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs quorvel-settle with `arguments`, `input` on standard input.
SettleRun runSettle(const std::vector<std::string>& arguments, std::string_view input = {});

// Answers one slip with --json (plus any extra options) and returns the answer line without
// its line break. Line breaks in `slip` are sent as spaces, so a slip may be written on
// several source lines.
std::string settleJsonLine(std::string_view slip, const std::vector<std::string>& options = {});

// Writes a file in the test's scratch folder and returns its path.
std::string scratchFile(std::string_view name, std::string_view content);

// Splits output into lines, without the line breaks.
std::vector<std::string> outputLines(const std::string& out);

// The value of a line "Name   value" of the one-slip form's output.
std::string reportedValue(const std::string& out, std::string_view name);

// A table row's own name as its test name.
template <typename Row>
std::string rowName(const ::testing::TestParamInfo<Row>& row) {
    return row.param.name;
}

}  // namespace quorvel::testing
