// The one Windows-1252 and UTF-8 codec of the platform and quorvel-settle,
// and the case-insensitive comparison the platform builds on it. Built for
// Windows, the platform's own conversion is the reference for every byte.

#include <gtest/gtest.h>

#include <string>

#include "text/utf8.h"
#include "text/windows1252.h"

#ifdef _WIN32
#include <windows.h>
#else
#include "platform/core/code_page.h"
#endif

namespace quorvel::testing {
using namespace text;
namespace {

std::string byteText(int byte) {
    return std::string(1, static_cast<char>(byte));
}

TEST(windows1252, every_byte_comes_back_from_utf8_as_itself) {
    for (int byte = 1; byte < 256; ++byte) {
        const std::string utf8 = utf8FromWindows1252(byteText(byte));
        EXPECT_EQ(firstCharacter(utf8).length, utf8.size()) << byte << " is one well-formed char";
        EXPECT_EQ(windows1252FromUtf8(utf8), byteText(byte)) << byte;
    }
}

TEST(windows1252, pound_euro_and_the_unassigned_bytes_decode_to_their_characters) {
    EXPECT_EQ(utf8FromWindows1252("\xA3"
                                  "5 \x80 \x9F"),
              "\u00A3"
              "5 \u20AC \u0178");
    // The unassigned bytes are the C1 controls of the same value, as the
    // platform's conversion gives them: nothing is lost on the way back.
    EXPECT_EQ(utf8FromWindows1252("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
}

struct Utf8Case {
    const char* name;
    std::string utf8;
    std::string windows1252;
};

TEST(windows1252, utf8_that_is_not_well_formed_or_not_in_the_code_page_becomes_question_marks) {
    const Utf8Case cases[] = {
        {"outside_the_code_page", "\u03A9 \U0001F600", "? ?"},
        {"overlong_nul_never_becomes_a_terminator",
         "a\xC0\x80"
         "b\xE0\x80\x80"
         "c",
         "a??b???c"},
        {"surrogate_half", "\xED\xA0\x80", "???"},
        {"cut_short_at_the_end", "5\xE2\x82", "5??"},
        {"stray_continuation",
         "\x80"
         "1",
         "?1"},
    };
    for (const Utf8Case& c : cases) {
        EXPECT_EQ(windows1252FromUtf8(c.utf8), c.windows1252) << c.name;
    }
}

TEST(utf8, every_length_of_sequence_encodes_and_decodes_to_the_same_code_point) {
    for (const char32_t codePoint : {U'\u0000', U'\u007F', U'\u0080', U'\u07FF', U'\u0800',
                                     U'\uFFFD', U'\U00010000', U'\U0010FFFF'}) {
        std::string utf8;
        appendUtf8(utf8, codePoint);
        const Utf8Character decoded = firstCharacter(utf8 + "tail");
        EXPECT_EQ(decoded.codePoint, codePoint);
        EXPECT_EQ(decoded.length, utf8.size());
    }
}

#ifdef _WIN32

// The platform's own code page conversion, byte by byte, both ways.
TEST(windows1252, matches_the_platforms_conversion_for_every_byte) {
    for (int byte = 1; byte < 256; ++byte) {
        const char in = static_cast<char>(byte);
        wchar_t wide = 0;
        ASSERT_EQ(MultiByteToWideChar(1252, 0, &in, 1, &wide, 1), 1) << byte;
        EXPECT_EQ(static_cast<char32_t>(wide), codePointOf1252(in)) << byte;
        char back = 0;
        BOOL lossy = FALSE;
        ASSERT_EQ(WideCharToMultiByte(1252, 0, &wide, 1, &back, 1, nullptr, &lossy), 1) << byte;
        EXPECT_EQ(back, in) << byte;
        EXPECT_FALSE(lossy) << byte;
    }
}

#else

struct CompareCase {
    const char* a;
    const char* b;
    int sign;
};

TEST(compare_ignoring_case, folds_accented_capitals_and_puts_a_prefix_first) {
    const CompareCase cases[] = {
        {"Non-Runner", "NON-runner", 0},
        {"\xC9"
         "clair",
         "\xE9"
         "CLAIR",
         0},                                          // E acute
        {"\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF", 0},  // S and Z caron, OE, Y diaeresis
        {"\xD7", "\xF7", -1},  // the multiplication and division signs are not a pair
        {"Z", "a", 1},
        {"Won", "Won only", -1},
    };
    for (const CompareCase& c : cases) {
        const int got = platform::compareIgnoringCase(c.a, c.b);
        EXPECT_EQ((got > 0) - (got < 0), c.sign) << c.a << " against " << c.b;
        EXPECT_EQ(platform::compareIgnoringCase(c.b, c.a), -got) << "the other way round";
    }
    EXPECT_TRUE(platform::startsWithIgnoringCase("Evens", "eV"));
    EXPECT_FALSE(platform::startsWithIgnoringCase("Ev", "Evens"));
}

#endif

}  // namespace
}  // namespace quorvel::testing
