// The tool's readers in-process: lines cut from blocks, JSON Lines as a whole, and the one-slip
// form's options and leg arguments.

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <string_view>

#include "cli/flag_slip.h"
#include "cli/slip_report.h"
#include "in_process.h"

namespace quorvel::testing {
namespace {

using namespace std::string_literals;

constexpr const char* kWinner = R"({"legs": [{"result": "Won"}]})";
constexpr const char* kWinnerResult = R"({"bets": 1, "totalStake": "£0.11", "returns": "£0.20"})";
constexpr const char* kOverlong = R"({"error": "the line is longer than 1048576 bytes"})";

// Each line as the splitter hands it over: its text, or "(overlong)", and "^" before the
// line that starts the input.
std::vector<std::string> splitLines(std::string_view stream, std::size_t blockBytes) {
    std::vector<std::string> out;
    const auto onLine = [&out](const cli::InputLine& line) {
        out.push_back((line.startsInput ? "^" : "") +
                      (line.overlong ? std::string("(overlong)") : std::string(line.text)));
    };
    cli::LineSplitter splitter;
    for (std::size_t at = 0; at < stream.size(); at += blockBytes) {
        splitter.feed(stream.substr(at, blockBytes), onLine);
    }
    splitter.finish(onLine);
    return out;
}

// The limit counts the line's own bytes, not the carriage return of a CRLF line end.
TEST(line_splitter, lines_spanning_64_kb_blocks_come_out_whole_whatever_the_block_size) {
    const std::string atLimit(cli::kMaxLineBytes, 'a');
    const std::string longLine(100000, 'b');  // spans two 64 KB blocks
    const std::string stream = "first\n" + longLine + "\r\n\n" + atLimit + "\r\n" + atLimit + "\n" +
                               atLimit + " \r\n" + atLimit + "xx\n" + std::string(3 << 20, 'c') +
                               "\nlast, with no line break";
    const std::vector<std::string> expected = {
        "^first",       longLine + "\r", "",
        atLimit + "\r", atLimit,         "(overlong)",
        "(overlong)",   "(overlong)",    "last, with no line break"};
    for (const std::size_t block :
         {std::size_t{1} << 16, std::size_t{65535}, std::size_t{7}, std::size_t{1} << 22}) {
        SCOPED_TRACE(block);
        EXPECT_EQ(splitLines(stream, block), expected);
    }
    EXPECT_EQ(splitLines("\n\n", 1), (std::vector<std::string>{"^", ""}));
}

// A Ctrl-Z byte is a broken line like any other, not the end of the input (as it would be in
// a Windows text stream). Only spaces, tabs and carriage returns make a line blank.
TEST(json_lines, every_line_but_a_blank_one_is_answered_in_order) {
    const std::string input =
        std::string(kWinner) + "\r\n" + R"({"legs": [{"price": "7/3"}]})" + "\n\n \t\r\n" +
        "not json\n\x1A\n\f\n" + std::string((1 << 20) + 2, ' ') + "\n" +
        R"({"eachWay": "E/D", "legs": [{"result": "Won"}]})" + "\n" + R"({"legs": []})";
    const Settled settled = settleInputs({input}, {});
    std::vector<std::string> answers = lines(settled.out);
    for (std::string& line : answers) {  // without the parser's own words after the place
        line.resize(std::min(line.size(), line.find(": ", line.find(" at byte "))));
    }
    EXPECT_EQ(
        answers,
        (std::vector<std::string>{
            kWinnerResult, R"({"error": "legs[1].price: \"7/3\" is not on the price list"})",
            R"({"error": "not valid JSON at byte 2)", R"({"error": "not valid JSON at byte 1)",
            R"({"error": "not valid JSON at byte 1)", kOverlong,
            R"({"bets": 2, "totalStake": "£0.22", "returns": "£0.32"})",
            R"({"error": "legs: must hold 1 to 6 legs, not 0"})"}));
    EXPECT_TRUE(settled.outcome.anyInvalid);
    EXPECT_FALSE(settleInputs({kWinner}, {}).outcome.anyInvalid);
}

// A mark may start each input, as some Windows editors write one, but no later line.
TEST(json_lines, a_byte_order_mark_may_start_each_input) {
    const std::string marked = "\xEF\xBB\xBF" + std::string(kWinner) + "\n";
    EXPECT_EQ(
        lines(settleInputs({marked, "\xEF\xBB\xBF \t\r\n" + marked}, {}).out),
        (std::vector<std::string>{
            kWinnerResult,
            R"({"error": "not valid JSON at byte 1: a byte-order mark may only start the input"})"}));
}

// Every kind of line, in blocks that end anywhere: the answers and their order do not depend on
// how many jobs settle them or how the input arrives.
TEST(json_lines, any_number_of_jobs_answers_byte_for_byte_as_one) {
    const std::string kinds[] = {
        kWinner,
        R"({"bet": "Lucky 15", "stake": 10, "eachWay": "E/D", "taxPaid": false, "legs": [)"
        R"({"result": "Won", "price": "5/1"}, {"result": "Place", "price": "3/1", "terms": "1/4"},)"
        R"( {}, {"result": "Non-Runner"}]})",
        R"({"bet": "Round-Robin", "legs": [{"result": "Won", "price": "2/1"}, {}, {}]})",
        R"({"legs": [{"price": "7/3"}]})",
        "not json",
        " \t\r",
        std::string(kWinner) + "\r",
        "{\"legs\": [{}]}\0{\"legs\": [{}]}"s,
        "\xEF\xBB\xBF" + std::string(kWinner),
        R"({"legs": [{}], "stake": 1e400})",
    };
    std::string slips = "\xEF\xBB\xBF" + std::string(kWinner) + "\n";
    for (int i = 0; i < 3000; ++i) {
        slips += kinds[(i * 7) % std::size(kinds)] + "\n";
        if (i % 1000 == 500) {
            slips += std::string((1 << 20) + 2, ' ') + "\n";
        }
    }
    slips += R"({"legs": [{"result": "Won"}, {}]})";  // no line break at the end
    for (const bool explain : {false, true}) {
        cli::JsonLinesOptions options;
        options.explain = explain;
        const Settled one = settleInputs({slips, kWinner}, options);
        EXPECT_EQ(lines(one.out).size(), 1u + 2700 + 3 + 1 + 1);
        for (const unsigned jobs : {2u, 3u, 8u}) {
            for (const std::size_t block : {std::size_t{1} << 16, std::size_t{4096}}) {
                SCOPED_TRACE(::testing::Message() << "explain " << explain << ", " << jobs
                                                  << " jobs, blocks of " << block);
                options.jobs = jobs;
                options.blockBytes = block;
                const Settled many = settleInputs({slips, kWinner}, options, 1000);
                EXPECT_EQ(many.outcome.anyInvalid, one.outcome.anyInvalid);
                EXPECT_TRUE(many.out == one.out);  // megabytes: not printed
            }
        }
    }
}

// However many jobs settle, an input that fails is told after the answers to what was read from
// it, later inputs are not read, and a reader of the answers that goes away stops the reading.
TEST(json_lines, a_failed_read_or_a_closed_output_ends_the_run_as_one_job_does) {
    for (const unsigned jobs : {1u, 3u}) {
        SCOPED_TRACE(::testing::Message() << jobs << " jobs");
        cli::JsonLinesOptions options;
        options.jobs = jobs;
        int reads = 0;
        const auto failing = [&reads](char* buffer, std::size_t size) -> std::ptrdiff_t {
            if (reads++ > 0) {
                errno = EIO;
                return -1;
            }
            const std::string lines = std::string(kWinner) + "\n" + kWinner + "\n";
            EXPECT_GE(size, lines.size());
            std::copy(lines.begin(), lines.end(), buffer);
            return static_cast<std::ptrdiff_t>(lines.size());
        };
        const auto neverRead = [](char*, std::size_t) -> std::ptrdiff_t {
            ADD_FAILURE() << "an input after a failed one was read";
            return 0;
        };
        const cli::JsonInput broken[] = {{"broken", failing}, {"next", neverRead}};
        std::string out;
        const cli::JsonLinesOutcome failed = cli::settleJsonLines(
            broken,
            [&out](std::string_view text) {
                out += text;
                return cli::WriteResult::Written;
            },
            options);
        EXPECT_EQ(failed.end, cli::JsonLinesEnd::ReadFailed);
        EXPECT_TRUE(failed.error.starts_with("cannot read broken: ")) << failed.error;
        EXPECT_EQ(lines(out), (std::vector<std::string>{kWinnerResult, kWinnerResult}));

        // Every read a block of winners, without end: the run ends on the closed output alone.
        const auto endless = [](char* buffer, std::size_t size) -> std::ptrdiff_t {
            const std::string_view line = "{\"legs\": [{}]}\n";
            for (std::size_t at = 0; at < size; ++at) {
                buffer[at] = line[at % line.size()];
            }
            return static_cast<std::ptrdiff_t>(size);
        };
        const cli::JsonInput forever[] = {{"endless", endless}};
        options.blockBytes = 4096;
        int writes = 0;
        const cli::JsonLinesOutcome closed = cli::settleJsonLines(
            forever,
            [&writes](std::string_view) {
                return ++writes < 3 ? cli::WriteResult::Written : cli::WriteResult::Closed;
            },
            options);
        EXPECT_EQ(closed.end, cli::JsonLinesEnd::OutputClosed);
        EXPECT_EQ(writes, 3);
    }
}

bool startsWith(const std::string& text, const std::string& start) {
    return text.starts_with(start);
}

// The lines in settling order; a Lucky lone winner's single on the row it was entered on, with
// the consolation; the all-winner bonus and the tax as steps after the lines.
TEST(explain, lists_the_lines_each_slip_was_settled_as) {
    const auto answers = settleJsonLines(
        {R"({"bet": "Round-Robin", "legs": [{"result": "Won", "price": "2/1"}, {}, {}]})",
         R"({"bet": "Lucky 15", "legs": [{}, {}, {"result": "Won", "price": "5/1"}, {}]})",
         R"({"bet": "Lucky 15", "legs": [{"result": "Won"}, {"result": "Won"}, {"result": "Won"},
            {"result": "Won"}]})"},
        true);
    EXPECT_PRED2(startsWith, answers[0],
                 R"({"bets": 10, "totalStake": "£1.09", "returns": "£0.40", "lines": [)"
                 R"({"kind": "double", "legs": [1, 2], "return": "£0.0000"}, )"
                 R"({"kind": "double", "legs": [1, 3], "return": "£0.0000"}, )"
                 R"({"kind": "double", "legs": [2, 3], "return": "£0.0000"}, )"
                 R"({"kind": "treble", "legs": [1, 2, 3], "return": "£0.0000"}, )"
                 R"({"kind": "stakes-about", "legs": [1, 2], "return": "£0.2000"}, )"
                 R"({"kind": "stakes-about", "legs": [1, 3], "return": "£0.2000"}, )"
                 R"({"kind": "stakes-about", "legs": [2, 3], "return": "£0.0000"}, )"
                 R"({"kind": "stakes-about", "legs": [2, 1], "return": "£0.0000"}, )"
                 R"({"kind": "stakes-about", "legs": [3, 1], "return": "£0.0000"}, )"
                 R"({"kind": "stakes-about", "legs": [3, 2], "return": "£0.0000"}], )");
    EXPECT_EQ(answers[1],
              R"j({"bets": 15, "totalStake": "£1.64", "returns": "£1.10", "lines": [)j"
              R"j({"kind": "single", "legs": [3], "return": "£1.1000"}], )j"
              R"j("returnsSteps": [{"step": "linesTotal", "text": "The lines' returns added up", )j"
              R"j("amount": "£1.1000"}, {"step": "returns", "text": "Made whole to the penny: )j"
              R"j(Returns", "change": "£0.0000", "amount": "£1.10"}], )j"
              R"j("stakeSteps": [{"step": "stake", "text": "15 bets times 10p", "amount": )j"
              R"j("£1.5000"}, {"step": "taxAdded", "text": "Tax 9% added (paid with the )j"
              R"j(stake)", "change": "+£0.1350", "amount": "£1.6350"}, {"step": "totalStake", )j"
              R"j("text": "Made whole to the penny: Total stake", "change": "+£0.0050", )j"
              R"j("amount": "£1.64"}], "note": "Consolation: the lone winner on row 3 paid at )j"
              R"j(10/1, its odds times 2"})j");
    EXPECT_TRUE(
        answers[2].starts_with(R"({"bets": 15, "totalStake": "£1.64", "returns": "£8.80", )"))
        << answers[2];
    EXPECT_NE(answers[2].find(R"({"kind": "4-fold", "legs": [1, 2, 3, 4], "return": "£1.6000"}], )"
                              R"("bonusFactor": 1.1, "returnsSteps": [{"step": "linesTotal", )"
                              R"("text": "The lines' returns added up", "amount": "£8.0000"}, )"
                              R"({"step": "bonus", "text": "All-winner bonus 10%: times 1.1", )"
                              R"("change": "+£0.8000", "amount": "£8.8000"}, )"),
              std::string::npos)
        << answers[2];
}

// The options and leg arguments of the one-slip form, as main() hands them over.
cli::SlipFlags flags(std::vector<std::string> legs) {
    cli::SlipFlags f;
    f.legs = std::move(legs);
    return f;
}

// What the one-slip form prints, or its error.
std::string settleFlags(const cli::SlipFlags& given, bool explain = false) {
    cli::SlipRequest request{};
    if (const cli::SlipCheck error = cli::readSlipFlags(given, request)) {
        return "error " + error->message();
    }
    cli::SlipSettler settler(explain);
    return cli::describeSlip(request) + cli::describeSettlement(settler.settle(request), explain);
}

// Each option reaches the slip: the amounts are those of the same slip in JSON.
TEST(flags_form, settles_the_slip_the_options_and_legs_describe) {
    cli::SlipFlags lucky15 = flags({"Won 5/1", "Place 3/1 1/4", "Lost", "Non-Runner"});
    lucky15.bet = "Lucky 15";
    lucky15.stake = "10";
    lucky15.eachWay = "E/D";
    lucky15.taxPaid = false;
    cli::SlipFlags lucky63 =
        flags({"Won 9/2", "Won 11/8", "Won 3/1", "Won Evens", "Won 85/40", "Won 7/4"});
    lucky63.bet = "Lucky 63";
    lucky63.stake = " 7x";
    lucky63.preferences = {"17", "1", "0", "3", "30", "3", "25"};
    cli::SlipFlags oddsOn =
        flags({"Won 6/4 odds-on rule4=25 Win Only", "Won rule4=10p per £ 100/30"});
    oddsOn.bet = "1";
    oddsOn.eachWay = "W/W P/P";
    const struct {
        const char* name;
        cli::SlipFlags given;
        const char* shown;
    } cases[] = {
        {"Lucky 15 each way without tax", lucky15, "30 £3.00 £3.25"},
        {"double with odds-on, Rule 4 and win-only terms", oddsOn, "2 £0.22 £0.84"},
        {"Lucky 63 with every preference changed", lucky63, "63 £5.16 £445.30"},
        {"defaults everywhere", flags({"Lost", "Lost", "Won 2/1"}), "7 £0.76 £0.30"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string out = settleFlags(c.given);
        const auto value = [&out](std::string_view name) {
            const std::size_t line = out.find("\n" + std::string(name) + " ");
            const std::size_t start = out.find_first_not_of(' ', line + name.size() + 1);
            return line == std::string::npos ? "(no " + std::string(name) + ")"
                                             : out.substr(start, out.find('\n', start) - start);
        };
        EXPECT_EQ(value("Bets") + " " + value("Total stake") + " " + value("Returns"), c.shown)
            << out;
    }
}

TEST(flags_form, wrong_options_and_legs_are_reported_as_in_json) {
    cli::SlipFlags bonusInWords = flags({"Won"});
    bonusInWords.preferences[6] = "ten";
    cli::SlipFlags taxRateBeyond64Bits = flags({"Won"});
    taxRateBeyond64Bits.preferences[0] = "99999999999999999999";
    const struct {
        const char* name;
        cli::SlipFlags given;
        const char* error;
    } cases[] = {
        {"price not on the list", flags({"Won 5/1", "Won 7/3"}),
         R"(legs[2].price: "7/3" is not on the price list)"},
        {"place in win mode", flags({"Place 3/1"}),
         R"(legs[1].result: "Place" is offered only with eachWay "E/D" or "W/W P/P")"},
        {"seven legs", flags(std::vector<std::string>(7, "Lost")),
         "legs: must hold 1 to 6 legs, not 7"},
        {"an empty leg", flags({"Won", " "}), "legs[2].result: missing: the leg is empty"},
        {"two prices", flags({"Won 2/1 3/1"}), R"(legs[1].price: given more than once ("3/1"))"},
        {"rule4 between steps", flags({"Won rule4=12"}),
         "legs[1].rule4: 12 is not 0..75 in steps of 5"},
        {"bonus not a number", bonusInWords,
         R"(preferences.lucky63Bonus: "ten" is not an integer)"},
        {"tax rate beyond 64 bits, quoted as written", taxRateBeyond64Bits,
         "preferences.taxRate: Invalid tax value (99999999999999999999 is not 0..20)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(settleFlags(c.given), std::string("error ") + c.error);
    }
}

TEST(flags_form, prints_the_slip_as_understood_and_with_explain_a_table_of_its_lines) {
    cli::SlipFlags given = flags({"Won 6/4 odds-on rule4=25 1/4", "Place 3/1"});
    given.bet = "Doubles + Singles";
    given.eachWay = "E/D";
    given.taxPaid = false;
    EXPECT_EQ(settleFlags(given, true),
              "Selections   2\n"
              "Bet          Doubles + Singles\n"
              "Stake        10p per bet\n"
              "Each Way     E/D\n"
              "Tax Paid     no (tax rate 9%)\n"
              "Leg 1        Won at 6/4 odds-on, Rule 4 25p per £, place terms 1/4\n"
              "Leg 2        Place at 3/1, place terms 1/5\n"
              "\n"
              "  Line  Kind          Legs         Return\n"
              "     1  single        1            £0.2625\n"
              "     2  single        2            £0.1600\n"
              "     3  double        1-2          £0.2100\n"
              "\n"
              "  The lines' returns added up                                 £0.6325\n"
              "  Tax 9% deducted (not paid with the stake)      -£0.056925  £0.575575\n"
              "  Made whole to the hundredth of a penny         +£0.000025  £0.5756\n"
              "  Made whole to the penny: Returns                 +£0.0044  £0.58\n"
              "\n"
              "  6 bets times 10p                                            £0.6000\n"
              "  Tax not added: Total stake                                  £0.60\n"
              "\n"
              "Bets         6\n"
              "Total stake  £0.60\n"
              "Returns      £0.58\n");
    cli::SlipFlags lucky = flags({"Lost", "Won 5/1", "Non-Runner", "Lost"});
    lucky.bet = "Lucky 15";
    lucky.preferences[1] = "3";
    const std::string out = settleFlags(lucky);
    EXPECT_NE(out.find("Lucky rules  consolation odds x3, all-winner bonus 10%\n"
                       "Leg 1        Lost\n"
                       "Leg 2        Won at 5/1\n"
                       "Leg 3        Non-Runner\n"),
              std::string::npos)
        << out;
}

}  // namespace
}  // namespace quorvel::testing
