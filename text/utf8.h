#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvel::text {

// The character a UTF-8 text starts with; length is 0 when the text does not
// start with a well-formed sequence (no overlong forms, no surrogates, nothing
// past U+10FFFF, nothing cut short).
struct Utf8Character {
    char32_t codePoint = 0;
    std::size_t length = 0;
};
Utf8Character firstCharacter(std::string_view utf8);

// Appends one Unicode scalar value as UTF-8.
void appendUtf8(std::string& out, char32_t codePoint);

// True for a byte that continues a sequence rather than starting a character.
inline bool continuesCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

}  // namespace quorvel::text
