#include "cli/text_encoding.h"

#include <array>

namespace quorvel::cli {

namespace {

// Windows-1252 bytes 0x80..0x9F as Unicode code points; 0 where the code page has no character.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char32_t codePoint(unsigned char c) {
    if (c >= 0x80 && c < 0xA0) {
        const char32_t u = kHighControls[c - 0x80];
        return u == 0 ? U'\uFFFD' : u;
    }
    return c;
}

void appendCodePoint(std::string& out, char32_t u) {
    if (u < 0x80) {
        out += static_cast<char>(u);
    } else if (u < 0x800) {
        out += static_cast<char>(0xC0 | (u >> 6));
        out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (u >> 12));
        out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (u & 0x3F));
    }
}

bool continues(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

constexpr std::size_t kQuotedCharacters = 40;

// Length of the well-formed UTF-8 sequence `text` starts with (RFC 3629: no overlong forms, no
// surrogates, nothing past U+10FFFF), or 0 when it starts with none.
std::size_t sequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80;  // the range of the second byte
    unsigned char high = 0xBF;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (!continues(text[i])) {
            return 0;
        }
    }
    return length;
}

}  // namespace

void appendUtf8(std::string& out, std::string_view windows1252) {
    for (const char c : windows1252) {
        appendCodePoint(out, codePoint(static_cast<unsigned char>(c)));
    }
}

std::string toUtf8(std::string_view windows1252) {
    std::string out;
    appendUtf8(out, windows1252);
    return out;
}

std::size_t characterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (const char c : utf8) {
        count += continues(c) ? 0 : 1;
    }
    return count;
}

void appendJsonString(std::string& out, std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (std::size_t i = 0; i < utf8.size();) {
        const char c = utf8[i];
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x80) {
            const std::size_t length = sequenceLength(utf8.substr(i));
            if (length == 0) {
                out += "\xEF\xBF\xBD";  // U+FFFD
                ++i;
            } else {
                out.append(utf8.substr(i, length));
                i += length;
            }
            continue;
        }
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (u < 0x20 || u == 0x7F) {
                    out += "\\u00";
                    out += kHex[u >> 4];
                    out += kHex[u & 0xF];
                } else {
                    out += c;
                }
        }
        ++i;
    }
    out += '"';
}

std::string cutShort(std::string_view utf8, std::size_t characters) {
    std::size_t end = 0;
    std::size_t count = 0;
    while (end < utf8.size()) {
        if (!continues(utf8[end]) && count++ == characters) {
            break;
        }
        ++end;
    }
    std::string out(utf8.substr(0, end));
    if (end < utf8.size()) {
        out += "...";
    }
    return out;
}

std::string quoted(std::string_view utf8) {
    return '"' + cutShort(utf8, kQuotedCharacters) + '"';
}

}  // namespace quorvel::cli
