#include "text/windows1252.h"

#include <array>

#include "text/utf8.h"

namespace quorvel::text {
namespace {

// Code points of the bytes 0x80 to 0x9F.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

char32_t codePointOf1252(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80 && byte <= 0x9F) {
        return kHighControls[byte - 0x80];
    }
    return byte;
}

std::optional<char> byteOf1252(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<char>(codePoint);
    }
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == codePoint) {
            return static_cast<char>(0x80 + i);
        }
    }
    return std::nullopt;
}

char lowerCase1252(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7)) {
        return static_cast<char>(byte + 0x20);
    }
    switch (byte) {
        case 0x8A:  // S caron
        case 0x8C:  // OE
        case 0x8E:  // Z caron
            return static_cast<char>(byte + 0x10);
        case 0x9F:  // Y diaeresis
            return static_cast<char>(0xFF);
        default:
            return c;
    }
}

void appendUtf8From1252(std::string& out, std::string_view windows1252) {
    // Runs of ASCII, the same in both, are copied whole.
    std::size_t run = 0;
    for (std::size_t i = 0; i < windows1252.size(); ++i) {
        if (static_cast<unsigned char>(windows1252[i]) >= 0x80) {
            out.append(windows1252.data() + run, i - run);
            appendUtf8(out, codePointOf1252(windows1252[i]));
            run = i + 1;
        }
    }
    out.append(windows1252.data() + run, windows1252.size() - run);
}

std::string utf8FromWindows1252(std::string_view windows1252) {
    std::string out;
    out.reserve(windows1252.size());
    appendUtf8From1252(out, windows1252);
    return out;
}

std::string windows1252FromUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        const Utf8Character c = firstCharacter(utf8);
        if (c.length == 0) {
            out += '?';
            utf8.remove_prefix(1);
            continue;
        }
        out += byteOf1252(c.codePoint).value_or('?');
        utf8.remove_prefix(c.length);
    }
    return out;
}

}  // namespace quorvel::text
