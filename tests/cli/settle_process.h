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

// Answers the slips as the lines of one --json run (plus any extra options) and returns the
// answer lines. Line breaks in a slip are sent as spaces, so a slip may be written on several
// source lines.
std::vector<std::string> settleJsonLines(const std::vector<std::string>& slips,
                                         const std::vector<std::string>& options = {});

// A slip and the exact line it is answered with.
struct AnsweredSlip {
    const char* name;
    const char* slip;
    std::string answer;
};
// Settles the table in one run and checks each row's answer, and that --explain gives the
// same answer with the lines added.
void expectAnswers(const std::vector<AnsweredSlip>& rows);

// Writes a file in the test's scratch folder and returns its path.
std::string scratchFile(std::string_view name, std::string_view content);

// Splits output into lines, without the line breaks.
std::vector<std::string> outputLines(const std::string& out);

// The value of a line "Name   value" of the one-slip form's output.
std::string reportedValue(const std::string& out, std::string_view name);

}  // namespace quorvel::testing
