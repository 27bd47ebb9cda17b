#pragma once

// quorvel-settle's reading and settling, called in the test's own process.

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "cli/json_lines.h"
#include "lines.h"

namespace quorvel::testing {

struct Settled {
    cli::JsonLinesOutcome outcome;
    std::string out;
};

// Settles the inputs as the JSON Lines mode does, each handing over at most `readBytes` at a
// time, as a pipe may.
Settled settleInputs(const std::vector<std::string>& inputs, const cli::JsonLinesOptions& options,
                     std::size_t readBytes = static_cast<std::size_t>(-1));

// The answer lines of the slips given as the lines of one input. Line breaks in a slip are
// read as spaces, so a slip may be written on several source lines.
std::vector<std::string> settleJsonLines(const std::vector<std::string>& slips,
                                         bool explain = false);

// A slip and the exact line it is answered with.
struct AnsweredSlip {
    const char* name;
    const char* slip;
    std::string answer;
};
// Checks each row's answer, and that --explain gives the same answer with the lines added.
void expectAnswers(const std::vector<AnsweredSlip>& rows);

}  // namespace quorvel::testing
