// quorvel-settle run as a user runs it: files, standard input, exit status and the command
// line. What it answers to a line is tested in-process (reader_test.cpp).

#include <gtest/gtest.h>

#include <filesystem>

#include "settle_process.h"

namespace {

using quorvel::testing::lines;
using quorvel::testing::runSettle;
using quorvel::testing::scratchFile;

constexpr const char* kWinner = R"({"legs": [{"result": "Won"}]})";
constexpr const char* kWinnerResult = R"({"bets": 1, "totalStake": "£0.11", "returns": "£0.20"})";
constexpr const char* kLostResult = R"({"bets": 1, "totalStake": "£0.11", "returns": "£0.00"})";

// "-" is standard input wherever it stands, and each input may start with a byte-order mark;
// a file that cannot be read is named, after the answers to what came before it.
TEST(json_lines, files_and_standard_input_are_read_in_the_order_given) {
    const std::string lost = scratchFile("lost.jsonl", "\xEF\xBB\xBF{\"legs\": [{}]}");
    const auto dashed =
        runSettle({"--json", lost, "-", lost}, "\xEF\xBB\xBF" + std::string(kWinner));
    EXPECT_EQ(dashed.status, 0) << dashed.err;
    EXPECT_EQ(lines(dashed.out),
              (std::vector<std::string>{kLostResult, kWinnerResult, kLostResult}));
    EXPECT_EQ(dashed.err, "");

    const std::string folder = std::filesystem::path(lost).parent_path().string();
    const auto unreadable = runSettle({"--json", lost, folder});
    EXPECT_EQ(unreadable.status, 2);
    EXPECT_NE(unreadable.err.find(folder + ": "), std::string::npos) << unreadable.err;
#ifndef _WIN32  // where a folder opens as a file, and fails when read
    EXPECT_EQ(unreadable.err.find("cannot read " + folder + ": "), 16u) << unreadable.err;
    EXPECT_EQ(unreadable.out, std::string(kLostResult) + "\n");
#endif
}

TEST(json_lines, an_invalid_slip_is_answered_and_ends_the_run_with_status_1) {
    const auto run = runSettle({"--json", "--jobs", "2"}, std::string(kWinner) + "\nnot json\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(lines(run.out).size(), 2u);
    EXPECT_EQ(run.err, "");
}

TEST(command_line, bad_command_lines_settle_nothing_and_exit_2) {
    const std::string present = scratchFile("present.jsonl", std::string(kWinner) + "\n");
    const auto missing = runSettle({"--json", present, "/nonexistent/slips.jsonl"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "");
    // A path starting with a slash is a file, not an option, on Windows too.
    EXPECT_EQ(missing.err.rfind("quorvel-settle: cannot open /nonexistent/slips.jsonl", 0), 0u)
        << missing.err;
    const auto mixed = runSettle({"--json", "--stake", "10"}, kWinner);
    EXPECT_EQ(mixed.status, 2);
    EXPECT_EQ(mixed.out, "");
    EXPECT_EQ(mixed.err,
              "quorvel-settle: --stake describes one slip and cannot be used with --json\n");
    EXPECT_EQ(runSettle({"--jsn"}).status, 2);
    EXPECT_EQ(runSettle({"--json", "--jobs", "0"}).status, 2);
    EXPECT_EQ(runSettle({"--jobs", "2", "Won"}).err,
              "quorvel-settle: --jobs settles JSON Lines and needs --json\n");
    const auto bare = runSettle({});
    EXPECT_EQ(bare.status, 2);
    EXPECT_NE(bare.err.find("--each-way"), std::string::npos);
}

// The legs arrive as typed, "£" included, on Windows too; a wrong one ends the run with 2.
TEST(flags_form, prints_the_settled_slip_or_its_error_with_status_2) {
    const auto run = runSettle(
        {"--bet", "Double", "--tax-rate", "10", "Won rule4=10p per £", "Won 6/4 odds-on"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Tax Paid     yes (tax rate 10%)\n"
                           "Leg 1        Won at Evens, Rule 4 10p per £\n"),
              std::string::npos)
        << run.out;
    EXPECT_TRUE(run.out.ends_with("Returns      £0.32\n")) << run.out;
    const auto wrong = runSettle({"Won 5/1", "Won 7/3"});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_EQ(wrong.out, "");
    EXPECT_EQ(wrong.err, "quorvel-settle: legs[2].price: \"7/3\" is not on the price list\n");
}

// What every command-line program answers.
TEST(command_line, help_and_version_as_gnu_tools_give_them) {
    const auto help = runSettle({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("quorvel-settle --bet \"Lucky 15\""), std::string::npos) << help.out;
    for (const std::vector<std::string>& flags : {std::vector<std::string>{"--version"},
                                                  {"--version", "Won 2/1"},
                                                  {"--json", "--version"}}) {
        SCOPED_TRACE(flags.back());
        const auto run = runSettle(flags);
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out.substr(0, run.out.find('\n') + 1), "quorvel-settle (Quorvel) 1.3\n");
        EXPECT_NE(run.out.find("Copyright"), std::string::npos);
        EXPECT_EQ(run.err, "");
    }
}

}  // namespace
