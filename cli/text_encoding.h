#pragma once

// The engine holds its texts in Windows-1252; the command line speaks UTF-8.

#include <string>
#include <string_view>

namespace quorvel::cli {

// Appends a Windows-1252 text as UTF-8 ("\xA3" becomes "£").
void appendUtf8(std::string& out, std::string_view windows1252);
std::string toUtf8(std::string_view windows1252);

// Number of characters of a UTF-8 text (bytes that do not continue a sequence).
std::size_t characterCount(std::string_view utf8);

// Appends a text as a JSON string literal, quotes included. Bytes that are not UTF-8 become
// U+FFFD, so the literal is always valid.
void appendJsonString(std::string& out, std::string_view utf8);

// The text's first `characters` characters, followed by "..." when there were more.
std::string cutShort(std::string_view utf8, std::size_t characters);

// A value quoted for a message; long values are cut short with "...".
std::string quoted(std::string_view utf8);

}  // namespace quorvel::cli
