// What the tool says to someone who used it the wrong way: enough to put it right.

#include <gtest/gtest.h>

#include "settle_process.h"

namespace {

using quorvel::testing::runSettle;
using quorvel::testing::scratchFile;

TEST(advice, a_file_of_slips_given_without_json_is_named_with_the_option_it_needs) {
    const std::string present = scratchFile("slips.txt", "{\"legs\": [{}]}\n");
    for (const std::string& file : {present, std::string("slips.jsonl")}) {
        SCOPED_TRACE(file);
        const auto run = runSettle({"--explain", file});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "quorvel-settle: " + file +
                               " is not a leg but a file: add --json to settle the slips in it "
                               "(quorvel-settle --json " +
                               file + ")\n");
    }
    // A leg that lacks its result is still told so, though it holds a slash.
    EXPECT_EQ(runSettle({"Won", "2/1"}).err,
              "quorvel-settle: legs[2].result: \"2/1\" is not one of \"Lost\", \"Won\", "
              "\"Non-Runner\", \"Place\"\n");
}

TEST(advice, a_stake_or_bet_that_does_not_fit_is_told_in_the_tools_own_words) {
    EXPECT_EQ(runSettle({"--stake", "12345678", "Won"}).err,
              "quorvel-settle: stake: \"12345678\" is too long: a stake is at most 7 "
              "characters\n");
    EXPECT_EQ(runSettle({"--bet", "Trixie", "Won", "Won"}).err,
              "quorvel-settle: bet: \"Trixie\" is not a bet for 2 selections; the bets for 2 are "
              "\"Singles\", \"Double\", \"Doubles + Singles\"\n");
}

}  // namespace
