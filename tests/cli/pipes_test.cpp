// quorvel-settle between pipes: run as a coprocess that answers each slip as it comes, and
// stopped quietly when the reader of its answers goes away.

#include <gtest/gtest.h>

#include "coprocess.h"
#include "settle_process.h"

namespace {

using quorvel::testing::Coprocess;

constexpr const char* kWinner = R"({"legs": [{"result": "Won"}]})";
constexpr const char* kWinnerResult = R"({"bets": 1, "totalStake": "£0.11", "returns": "£0.20"})";

// Blocks until the answer comes: a tool that held it back for more input hangs here, and the
// test fails on its time limit.
TEST(pipes, each_slip_sent_alone_is_answered_before_the_next_is_sent) {
    for (const char* jobs : {"1", "2"}) {
        SCOPED_TRACE(std::string("--jobs ") + jobs);
        Coprocess settle({"--json", "--jobs", jobs});
        ASSERT_TRUE(settle.started());
        settle.send(std::string(kWinner) + "\n");
        EXPECT_EQ(settle.readLine(), kWinnerResult);
        settle.send("{\"legs\": [{\"price\": \"7/3\"}]}\r\n\n");
        EXPECT_EQ(settle.readLine(),
                  R"({"error": "legs[1].price: \"7/3\" is not on the price list"})");
        settle.send(R"({"legs": [{}]})");  // answered at the end, without a line break
        settle.closeInput();
        EXPECT_EQ(settle.readLine(), R"({"bets": 1, "totalStake": "£0.11", "returns": "£0.00"})");
        EXPECT_EQ(settle.wait(), 1);
        EXPECT_EQ(settle.errors(), "");
    }
}

// As `quorvel-settle --json big.jsonl | head -n 1`: more answers than a pipe holds, one read.
TEST(pipes, a_reader_that_goes_away_stops_the_tool_without_a_message_with_status_2) {
    std::string slips;
    for (int i = 0; i < 20000; ++i) {
        slips += std::string(kWinner) + "\n";
    }
    const std::string file = quorvel::testing::scratchFile("many.jsonl", slips);
    for (const char* jobs : {"1", "2"}) {
        SCOPED_TRACE(std::string("--jobs ") + jobs);
        Coprocess settle({"--json", "--jobs", jobs, file});
        ASSERT_TRUE(settle.started());
        settle.closeInput();
        EXPECT_EQ(settle.readLine(), kWinnerResult);
        settle.closeOutput();
        EXPECT_EQ(settle.wait(), 2);
        EXPECT_EQ(settle.errors(), "");
    }
}

}  // namespace
