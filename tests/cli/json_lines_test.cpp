// JSON Lines mode as a whole: order, blank lines, files, exit status and the working.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>

#include "settle_process.h"

namespace {

using quorvel::testing::outputLines;
using quorvel::testing::runSettle;
using quorvel::testing::scratchFile;
using quorvel::testing::settleJsonLines;

constexpr const char* kWinner = R"({"legs": [{"result": "Won"}]})";
constexpr const char* kWinnerResult = R"({"bets": 1, "totalStake": "£0.11", "returns": "£0.20"})";

// A Ctrl-Z byte is a broken line like any other, not the end of the input (as it would be in
// a Windows text stream). A line too long to hold is answered without being read whole.
TEST(json_lines, mixed_valid_invalid_and_overlong_lines_are_all_answered_in_order_with_status_1) {
    const std::string overlong = R"({"legs": [{}], "stake": ")" + std::string(1 << 21, '1') + "\"}";
    const auto run =
        runSettle({"--json"}, std::string(kWinner) + "\r\n" + R"({"legs": [{"price": "7/3"}]})" +
                                  "\n\n   \n" + "not json\n\x1A\n" + overlong + "\n" +
                                  R"({"eachWay": "E/D", "legs": [{"result": "Won"}]})" + "\n" +
                                  R"({"legs": []})");
    EXPECT_EQ(run.status, 1);
    auto lines = outputLines(run.out);
    for (std::string& line : lines) {  // without the parser's own words after the place
        line.resize(std::min(line.size(), line.find(": ", line.find(" at byte "))));
    }
    EXPECT_EQ(
        lines,
        (std::vector<std::string>{
            kWinnerResult, R"({"error": "legs[1].price: \"7/3\" is not on the price list"})",
            R"({"error": "not valid JSON at byte 2)", R"({"error": "not valid JSON at byte 1)",
            R"({"error": "the line is longer than 1048576 bytes"})",
            R"({"bets": 2, "totalStake": "£0.22", "returns": "£0.32"})",
            R"({"error": "legs: must hold 1 to 6 legs, not 0"})"}));
    EXPECT_EQ(run.err, "");
}

TEST(json_lines, files_are_read_in_the_order_given_and_a_last_line_needs_no_line_break) {
    const std::string first = scratchFile("first.jsonl", std::string(kWinner) + "\r\n");
    const std::string second = scratchFile("second.jsonl", R"({"legs": [{}]})");
    const auto run = runSettle({"--json", second, first});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(outputLines(run.out),
              (std::vector<std::string>{R"({"bets": 1, "totalStake": "£0.11", "returns": "£0.00"})",
                                        kWinnerResult}));
}

// A mark may start each input, as some Windows editors write one; only spaces, tabs and
// carriage returns make a line blank.
TEST(json_lines, a_byte_order_mark_may_start_each_input_and_blank_lines_are_json_white_space) {
    const std::string marked =
        scratchFile("marked.jsonl", "\xEF\xBB\xBF" + std::string(kWinner) + "\n");
    const auto run = runSettle({"--json", "-", marked},
                               "\xEF\xBB\xBF \t\r\n \r \t\r\n" + std::string(kWinner) + "\r\n");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(outputLines(run.out), (std::vector<std::string>{kWinnerResult, kWinnerResult}));
}

// "-" is standard input wherever it stands; a file that cannot be read is named, after the
// answers to what came before it.
TEST(json_lines, a_dash_reads_standard_input_and_an_unreadable_input_is_named) {
    const std::string lost = scratchFile("lost.jsonl", "{\"legs\": [{}]}\n");
    const auto dashed = runSettle({"--json", lost, "-", lost}, kWinner);
    EXPECT_EQ(dashed.status, 0) << dashed.err;
    const std::string lostResult = R"({"bets": 1, "totalStake": "£0.11", "returns": "£0.00"})";
    EXPECT_EQ(outputLines(dashed.out),
              (std::vector<std::string>{lostResult, kWinnerResult, lostResult}));

    const std::string folder = std::filesystem::path(lost).parent_path().string();
    const auto unreadable = runSettle({"--json", lost, folder});
    EXPECT_EQ(unreadable.status, 2);
    EXPECT_NE(unreadable.err.find(folder + ": "), std::string::npos) << unreadable.err;
#ifndef _WIN32  // where a folder opens as a file, and fails when read
    EXPECT_EQ(unreadable.err.find("cannot read " + folder + ": "), 16u) << unreadable.err;
    EXPECT_EQ(unreadable.out, lostResult + "\n");
#endif
}

// The limit counts the line's own bytes, not the carriage return of a CRLF line end.
TEST(json_lines, a_line_of_exactly_the_limit_settles_with_either_line_end) {
    std::string atLimit = kWinner;
    atLimit.resize(1 << 20, ' ');
    const auto run = runSettle(
        {"--json"}, atLimit + "\n" + atLimit + "\r\n" + atLimit + " \r\n" + atLimit + "\r");
    EXPECT_EQ(outputLines(run.out),
              (std::vector<std::string>{kWinnerResult, kWinnerResult,
                                        R"({"error": "the line is longer than 1048576 bytes"})",
                                        kWinnerResult}));
}

// Every kind of line, in blocks that end anywhere: the answers, their order and the status do
// not depend on how many jobs settle them.
TEST(json_lines, any_number_of_jobs_answers_byte_for_byte_as_one) {
    const std::string kinds[] = {
        kWinner,
        R"({"bet": "Lucky 15", "stake": 10, "eachWay": "E/D", "taxPaid": false, "legs": [)"
        R"({"result": "Won", "price": "5/1"}, {"result": "Place", "price": "3/1", "terms": "1/4"},)"
        R"( {}, {"result": "Non-Runner"}]})",
        R"({"bet": "Round-Robin", "legs": [{"result": "Won", "price": "2/1"}, {}, {}]})",
        R"({"legs": [{"price": "7/3"}]})",
        "not json",
        "",
        " \t\r",
        std::string(kWinner) + "\r",
        "{\"legs\": [{}]}\0{\"legs\": [{}]}" + std::string(),
        "\xEF\xBB\xBF" + std::string(kWinner),
        "\f",
        R"({"legs": [{}], "stake": 1e400})",
    };
    std::string slips = "\xEF\xBB\xBF" + std::string(kWinner) + "\n";
    for (int i = 0; i < 12000; ++i) {  // about eight blocks of 64 KB
        slips += kinds[(i * 7) % std::size(kinds)] + "\n";
        if (i % 4000 == 500) {
            slips += std::string((1 << 20) + 2, ' ') + "\n";
        }
    }
    slips += R"({"legs": [{"result": "Won"}, {}]})";  // no line break at the end
    const std::string file = scratchFile("every-kind.jsonl", slips);
    for (const char* explain : {"--json", "--explain"}) {
        const auto one = runSettle({"--json", explain, "--jobs", "1", file});
        EXPECT_EQ(one.status, 1);
        EXPECT_EQ(outputLines(one.out).size(), 10005u);  // 1 + 10 kinds of 12 x 1000 + 3 + 1
        for (const char* jobs : {"2", "3", "8"}) {
            SCOPED_TRACE(std::string(explain) + " --jobs " + jobs);
            const auto many = runSettle({"--json", explain, "--jobs", jobs, file});
            EXPECT_EQ(many.status, one.status);
            EXPECT_TRUE(many.out == one.out);  // megabytes: not printed
            EXPECT_EQ(many.err, "");
        }
    }
}

TEST(json_lines, bad_command_lines_settle_nothing_and_exit_2) {
    const std::string present = scratchFile("present.jsonl", std::string(kWinner) + "\n");
    const auto missing = runSettle({"--json", present, "/nonexistent/slips.jsonl"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("/nonexistent/slips.jsonl"), std::string::npos) << missing.err;
    const auto mixed = runSettle({"--json", "--stake", "10"}, kWinner);
    EXPECT_EQ(mixed.status, 2);
    EXPECT_EQ(mixed.out, "");
    EXPECT_EQ(runSettle({"--jsn"}).status, 2);
    EXPECT_EQ(runSettle({"--json", "--jobs", "0"}).status, 2);
    EXPECT_EQ(runSettle({"--jobs", "2", "Won"}).err,
              "quorvel-settle: --jobs settles JSON Lines and needs --json\n");
}

// The lines in settling order; a Lucky lone winner's single on the row it was entered on; the
// all-winner bonus after the lines.
TEST(explain, lists_the_lines_each_slip_was_settled_as) {
    const auto answers = settleJsonLines(
        {R"({"bet": "Round-Robin", "legs": [{"result": "Won", "price": "2/1"}, {}, {}]})",
         R"({"bet": "Lucky 15", "legs": [{}, {}, {"result": "Won", "price": "5/1"}, {}]})",
         R"({"bet": "Lucky 15", "legs": [{"result": "Won"}, {"result": "Won"}, {"result": "Won"},
            {"result": "Won"}]})"},
        {"--explain"});
    EXPECT_EQ(answers[0], R"({"bets": 10, "totalStake": "£1.09", "returns": "£0.40", "lines": [)"
                          R"({"kind": "double", "legs": [1, 2], "return": "£0.0000"}, )"
                          R"({"kind": "double", "legs": [1, 3], "return": "£0.0000"}, )"
                          R"({"kind": "double", "legs": [2, 3], "return": "£0.0000"}, )"
                          R"({"kind": "treble", "legs": [1, 2, 3], "return": "£0.0000"}, )"
                          R"({"kind": "stakes-about", "legs": [1, 2], "return": "£0.2000"}, )"
                          R"({"kind": "stakes-about", "legs": [1, 3], "return": "£0.2000"}, )"
                          R"({"kind": "stakes-about", "legs": [2, 3], "return": "£0.0000"}, )"
                          R"({"kind": "stakes-about", "legs": [2, 1], "return": "£0.0000"}, )"
                          R"({"kind": "stakes-about", "legs": [3, 1], "return": "£0.0000"}, )"
                          R"({"kind": "stakes-about", "legs": [3, 2], "return": "£0.0000"}]})");
    EXPECT_EQ(answers[1], R"({"bets": 15, "totalStake": "£1.64", "returns": "£1.10", "lines": [)"
                          R"({"kind": "single", "legs": [3], "return": "£1.1000"}]})");
    EXPECT_TRUE(
        answers[2].starts_with(R"({"bets": 15, "totalStake": "£1.64", "returns": "£8.80", )"))
        << answers[2];
    EXPECT_TRUE(answers[2].ends_with(
        R"({"kind": "4-fold", "legs": [1, 2, 3, 4], "return": "£1.6000"}], "bonusFactor": 1.1})"))
        << answers[2];
}

}  // namespace
