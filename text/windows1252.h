#pragma once

// Windows-1252, the code page of every text the program holds ("\xA3" is the
// pound sign). The five bytes the code page leaves unassigned (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) stand for the C1 control of the same value, as the
// platform's own conversion takes them, so every byte survives a round trip.

#include <optional>
#include <string>
#include <string_view>

namespace quorvel::text {

char32_t codePointOf1252(char byte);

// The byte standing for a code point; none when the code page lacks it.
std::optional<char> byteOf1252(char32_t codePoint);

// The lower-case form of a character (accented capitals included).
char lowerCase1252(char c);

// Conversions for showing texts and reading typed ones; a character outside
// the code page, or a byte that is not UTF-8, becomes '?'.
void appendUtf8From1252(std::string& out, std::string_view windows1252);
std::string utf8FromWindows1252(std::string_view windows1252);
std::string windows1252FromUtf8(std::string_view utf8);

}  // namespace quorvel::text
