// The quick reading of plain slips: what it takes, what it leaves to the careful reader, and
// that a line reads the same whichever reader takes it.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "cli/json_slip.h"
#include "cli/plain_slip.h"
#include "cli/slip_report.h"

namespace quorvel::testing {
namespace {

using namespace std::string_literals;

enum class Reading { Quick, WhereItStands, Careful };

// Everything a line comes to: its error, or the slip as understood and its settlement. Where it
// stands, the line is followed by its line break and only the padding the quick reader may look
// at, filled with what would go on a slip if it read on past the break.
std::string answerOf(std::string_view line, Reading reading) {
    cli::JsonSlipReader reader;
    cli::SlipRequest request{};
    std::vector<char> standing(line.begin(), line.end());
    standing.push_back('\n');
    for (std::size_t i = 0; i < cli::kLinePadding; ++i) {
        standing.push_back("\"}]}, "[i % 6]);
    }
    const cli::SlipCheck error =
        reading == Reading::Careful ? reader.readCarefully(line, request)
        : reading == Reading::Quick
            ? reader.read(line, request)
            : reader.read(std::string_view(standing.data(), line.size()), request, true);
    if (error) {
        return "error " + error->message();
    }
    cli::SlipSettler settler(true);
    std::string out = cli::describeSlip(request);
    cli::appendJsonResult(out, settler.settle(request), true);
    return out;
}

// Whether the quick reader, from a copy and where the line stands, reads as the careful one.
::testing::AssertionResult readsAlike(std::string_view line) {
    const std::string careful = answerOf(line, Reading::Careful);
    for (const Reading reading : {Reading::Quick, Reading::WhereItStands}) {
        const std::string quick = answerOf(line, reading);
        if (quick != careful) {
            return ::testing::AssertionFailure()
                   << (reading == Reading::Quick ? "from a copy: " : "where it stands: ") << quick
                   << "\ncarefully: " << careful;
        }
    }
    return ::testing::AssertionSuccess();
}

bool readsQuickly(std::string_view line) {
    cli::SlipDraft draft;
    return cli::readPlainSlip(line, draft);
}

const std::string kFull =
    R"({"bet": "Lucky 15", "stake": "25", "eachWay": "E/D", "taxPaid": false, )"
    R"("preferences": {"taxRate": 5, "lucky15Bonus": 20}, "legs": [)"
    R"({"result": "Won", "price": "5/1", "oddsOn": true, "rule4": 10, "terms": "1/4"}, )"
    R"({"result": "Place", "price": "100/30", "rule4": "10p per £", "terms": "Win Only"}, )"
    R"({}, {"result": "Non-Runner"}]})";

// Slips as they are written by the million, every field and both forms of the number fields.
TEST(plain_slip, reads_every_field_as_the_careful_reader_does) {
    const std::string slips[] = {
        kFull,
        R"({"legs": [{"result": "Won"}]})",
        " \t{ \"bet\":3,\"stake\":0,\"legs\":[{\"rule4\":0},{}],\"taxPaid\":true } \r",
        R"({"bet": -1, "stake": "", "legs": [{"result": "Lost"}]})",
        R"({"stake": " 7x", "legs": [{"price": "Evens", "oddsOn": false}]})",
        R"({"bet": "Doubles", "legs": [{"result": "Won", "price": "2/1"}, {}, {}, {}, {}, {}]})",
        R"({"preferences": {}, "legs": [{"result": "Won", "price": "2/1"}], "bet": 123456789012345678})",
    };
    for (const std::string& slip : slips) {
        SCOPED_TRACE(slip);
        EXPECT_TRUE(readsQuickly(slip));
        EXPECT_TRUE(readsAlike(slip));
    }
}

// What is left to the careful reader: it alone can tell what is wrong, or unescape a text.
TEST(plain_slip, leaves_anything_unusual_or_wrong_to_the_careful_reader) {
    const std::string slips[] = {
        R"({"legs": [{"result": "W\u006Fn"}]})",
        R"({"le\u0067s": [{"result": "Won"}]})",
        R"({"stake": 10.0, "legs": [{}]})",
        R"({"stake": 1e2, "legs": [{}]})",
        R"({"stake": 010, "legs": [{}]})",
        R"({"stake": -, "legs": [{}]})",
        R"({"bet": 1234567890123456789, "legs": [{}]})",
        R"({"bet": 99999999999999999999999, "legs": [{}]})",
        R"({"stake": null, "legs": [{}]})",
        R"({"taxPaid": tru, "legs": [{}]})",
        R"({"taxPaid": truex, "legs": [{}]})",
        R"({"stake": 10, "stake": 10, "legs": [{}]})",
        R"({"legs": [{"price": "2/1", "price": "2/1"}]})",
        R"({"preferences": {"taxRate": 5, "taxRate": 5}, "legs": [{}]})",
        R"({"legs": [{}], "colour": "red"})",
        R"({"legs": [{}, {}, {}, {}, {}, {}, {}]})",
        R"({"legs": [{}], "stake": 10000000})",
        R"({"legs": [{"price": "7/3"}]})",
        R"({"legs": [{}],})",
        R"({"legs": [{}]} {})",
        R"({"legs": [{}]}])",
        R"({"legs": [{}])",
        R"({"legs": [{}], "bet": "Doubles)",
        R"([{"legs": [{}]}])",
        "\xEF\xBB\xBF{\"legs\": [{}]}",
        "{\"legs\": [{}]}\0"s,
        "{\"legs\": [{\"result\": \"Won\0\"}]}"s,
        "{\"legs\": [{\"result\": \"Won\t\"}]}",
        "{\"legs\": [{}], \"bet\": \"Doubles\xC0\xAF\"}",
        "{\"legs\": [{}], \"bet\": \"Doubles\xED\xA0\x80\"}",
        "{\"legs\": [{}], \"bet\": \"Doubles\xF4\x90\x80\x80\"}",
        "{\"legs\": [{}], \"bet\": \"Doubles\xE2\x82\"}",
    };
    for (const std::string& slip : slips) {
        SCOPED_TRACE(slip);
        EXPECT_FALSE(readsQuickly(slip));
        EXPECT_TRUE(readsAlike(slip));
    }
}

// A fault in the quick reader shows as a line it takes that the careful reader reads otherwise.
// Every byte of plain slips is changed to each byte that means something to JSON, and dropped.
TEST(plain_slip, any_change_to_a_plain_slip_reads_as_the_careful_reader_reads_it) {
    const std::string slips[] = {
        kFull,
        R"({"bet": 2, "stake": 500, "legs": [{"result": "Won", "price": "9/4"}, {"result": "Won"}]})",
        R"({"bet": "Patent", "eachWay": "W/W P/P", "legs": [{}, {}, {"price": "£"}]})",
    };
    const std::string bytes = "{}[]\",:\\ 0-.e\x7F\x80\xC2\xE0\xED\xF4tfn\0\x01\r"s;
    int quick = 0;
    for (const std::string& slip : slips) {
        for (std::size_t at = 0; at < slip.size(); ++at) {
            std::vector<std::string> changed = {slip.substr(0, at) + slip.substr(at + 1)};
            for (const char c : bytes) {
                changed.push_back(slip);
                changed.back()[at] = c;
            }
            for (const std::string& line : changed) {
                quick += readsQuickly(line) ? 1 : 0;
                const ::testing::AssertionResult alike = readsAlike(line);
                if (!alike) {
                    ADD_FAILURE() << line << "\n" << alike.message();
                    return;
                }
            }
        }
    }
    EXPECT_GT(quick, 100);  // the quick reader did read many of them
}

TEST(plain_slip, utf8_is_checked_to_the_last_code_point_and_no_overlong_form) {
    const std::string wellFormed[] = {
        "",
        "abc",
        "\xC2\x80",
        "\xDF\xBF",
        "\xE0\xA0\x80",
        "\xED\x9F\xBF",
        "\xEE\x80\x80",
        "\xEF\xBF\xBF",
        "\xF0\x90\x80\x80",
        "\xF4\x8F\xBF\xBF",
        "\xC2\xA3"
        "5",
    };
    const std::string illFormed[] = {
        "\x80",
        "\xC0\x80",
        "\xC1\xBF",
        "\xE0\x9F\xBF",
        "\xED\xA0\x80",
        "\xF0\x8F\xBF\xBF",
        "\xF4\x90\x80\x80",
        "\xF5\x80\x80\x80",
        "\xFF",
        "\xE2\x82",
        "\xC2",
        "\xC2\x41",
        "a\xF0\x90\x80",
    };
    for (const std::string& text : wellFormed) {
        EXPECT_TRUE(cli::isUtf8(text)) << ::testing::PrintToString(text);
    }
    for (const std::string& text : illFormed) {
        EXPECT_FALSE(cli::isUtf8(text)) << ::testing::PrintToString(text);
    }
}

}  // namespace
}  // namespace quorvel::testing
