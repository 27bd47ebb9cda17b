#pragma once

// Texts are Windows-1252 bytes, as the platform's ANSI calls take them.

#include <string>
#include <string_view>

namespace quorvel::platform {

// The lower-case form of a Windows-1252 character, as the platform's
// case-insensitive comparisons see it (accented capitals included).
char lowerCase1252(char c);

// True when text begins with prefix, ignoring case.
bool startsWithIgnoringCase(std::string_view text, std::string_view prefix);

// Conversions for showing texts and reading typed ones; characters outside
// the code page become '?'.
std::string utf8FromWindows1252(std::string_view text);
std::string windows1252FromUtf8(std::string_view text);

}  // namespace quorvel::platform
