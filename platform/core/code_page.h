#pragma once

// Texts are Windows-1252 bytes, as the platform's ANSI calls take them.

#include <string_view>

#include "text/windows1252.h"

namespace quorvel::platform {

using text::lowerCase1252;
using text::utf8FromWindows1252;
using text::windows1252FromUtf8;

// Compares two texts ignoring case, as every name and item the platform looks
// up by text is compared (window classes, resource names, font faces, the
// items of a list): below zero when a sorts first, zero when they are the same.
int compareIgnoringCase(std::string_view a, std::string_view b);

inline bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && compareIgnoringCase(a, b) == 0;
}

inline bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return prefix.size() <= text.size() && equalIgnoringCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace quorvel::platform
