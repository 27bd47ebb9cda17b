#include "cli/text_encoding.h"

#include "text/utf8.h"
#include "text/windows1252.h"

namespace quorvel::cli {

namespace {

using text::continuesCharacter;

constexpr std::size_t kQuotedCharacters = 40;

}  // namespace

void appendUtf8(std::string& out, std::string_view windows1252) {
    text::appendUtf8From1252(out, windows1252);
}

std::string toUtf8(std::string_view windows1252) {
    return text::utf8FromWindows1252(windows1252);
}

std::size_t characterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (const char c : utf8) {
        count += continuesCharacter(c) ? 0 : 1;
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
            const std::size_t length = text::firstCharacter(utf8.substr(i)).length;
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
        if (!continuesCharacter(utf8[end]) && count++ == characters) {
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
