#include <cctype>

#include "platform/core/code_page.h"
#include "tools/rc/script_reader.h"

namespace quorvel::rc::script {
namespace {

// Comments become spaces (newlines kept, so line numbers stay true).
std::string withoutComments(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '"') {
            out += c;
            ++i;
            while (i < text.size() && text[i] != '"' && text[i] != '\n') {
                if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] != '\n') {
                    out += text[i++];
                }
                out += text[i++];
            }
            if (i < text.size() && text[i] == '"') {
                out += text[i++];
            }
        } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
            while (i < text.size() && text[i] != '\n') {
                ++i;
            }
        } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
            i += 2;
            while (i < text.size() &&
                   !(text[i] == '*' && i + 1 < text.size() && text[i + 1] == '/')) {
                out += text[i] == '\n' ? '\n' : ' ';
                ++i;
            }
            i = i < text.size() ? i + 2 : i;
            out += ' ';
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

std::vector<Line> joinedLines(const std::string& text) {
    std::vector<Line> lines;
    int number = 1;
    std::size_t start = 0;
    std::string pending;
    int pendingStart = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string piece = text.substr(start, end - start);
        if (!piece.empty() && piece.back() == '\r') {
            piece.pop_back();
        }
        if (pending.empty()) {
            pendingStart = number;
        }
        if (!piece.empty() && piece.back() == '\\') {
            piece.pop_back();
            pending += piece;
        } else {
            lines.push_back({pending + piece, pendingStart});
            pending.clear();
        }
        ++number;
        start = end + 1;
    }
    if (!pending.empty()) {
        lines.push_back({pending, pendingStart});
    }
    return lines;
}

class Lexer {
  public:
    Lexer(const std::string& text, const std::string* file, int line, bool utf8)
        : text_(text), file_(file), line_(line), utf8_(utf8) {}

    std::vector<Token> tokens() {
        std::vector<Token> out;
        while (true) {
            while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) {
                ++pos_;
            }
            if (pos_ >= text_.size()) {
                return out;
            }
            out.push_back(next());
        }
    }

  private:
    Token make(TokenKind kind, std::string text) const {
        Token token;
        token.kind = kind;
        token.text = std::move(text);
        token.file = file_;
        token.line = line_;
        return token;
    }

    Token next() {
        const char c = text_[pos_];
        if (c == '"' || (c == 'L' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '"')) {
            pos_ += c == 'L' ? 2 : 1;
            return stringLiteral();
        }
        if (std::isdigit(static_cast<unsigned char>(c))) {
            return number();
        }
        if (isIdentifierStart(c)) {
            const std::size_t start = pos_;
            while (pos_ < text_.size() && isIdentifierChar(text_[pos_])) {
                ++pos_;
            }
            return make(TokenKind::Identifier, text_.substr(start, pos_ - start));
        }
        static const char* const pairs[] = {"&&", "||", "==", "!=", "<=", ">=", "<<", ">>"};
        for (const char* pair : pairs) {
            if (text_.compare(pos_, 2, pair) == 0) {
                pos_ += 2;
                return make(TokenKind::Punct, pair);
            }
        }
        if (std::string_view(",|&+-*/%~(){}!<>=^").find(c) != std::string_view::npos) {
            ++pos_;
            return make(TokenKind::Punct, std::string(1, c));
        }
        fail(file_, line_, std::string("unexpected character '") + c + "'");
    }

    Token number() {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && isIdentifierChar(text_[pos_])) {
            ++pos_;
        }
        std::string digits = text_.substr(start, pos_ - start);
        Token token = make(TokenKind::Number, digits);
        while (!digits.empty() &&
               std::string_view("uUlL").find(digits.back()) != std::string_view::npos) {
            digits.pop_back();
        }
        int base = 10;
        std::size_t first = 0;
        if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
            base = 16;
            first = 2;
        }
        if (first >= digits.size()) {
            fail(token, "bad number '" + token.text + "'");
        }
        long long value = 0;
        for (std::size_t i = first; i < digits.size(); ++i) {
            const int digit = std::isdigit(static_cast<unsigned char>(digits[i]))
                                  ? digits[i] - '0'
                                  : std::toupper(static_cast<unsigned char>(digits[i])) - 'A' + 10;
            if (digit < 0 || digit >= base) {
                fail(token, "bad number '" + token.text + "'");
            }
            value = value * base + digit;
            if (value > 0xFFFFFFFFLL) {
                fail(token, "bad number '" + token.text + "'");  // more than 32 bits
            }
        }
        token.value = value;
        return token;
    }

    Token stringLiteral() {
        std::string bytes;
        while (true) {
            if (pos_ >= text_.size()) {
                fail(file_, line_, "string without its closing quote");
            }
            const char c = text_[pos_++];
            if (c == '"') {
                if (pos_ < text_.size() && text_[pos_] == '"') {
                    bytes += '"';
                    ++pos_;
                    continue;
                }
                break;
            }
            if (c != '\\' || pos_ >= text_.size()) {
                bytes += c;
                continue;
            }
            const char escaped = text_[pos_++];
            switch (escaped) {
                case 'n':
                    bytes += '\n';
                    break;
                case 't':
                    bytes += '\t';
                    break;
                case 'r':
                    bytes += '\r';
                    break;
                case 'a':
                    bytes += '\x08';
                    break;
                case '\\':
                    bytes += '\\';
                    break;
                case '"':
                    bytes += '"';
                    break;
                case 'x': {
                    int value = 0;
                    int count = 0;
                    while (count < 2 && pos_ < text_.size() &&
                           std::isxdigit(static_cast<unsigned char>(text_[pos_]))) {
                        const char h = text_[pos_++];
                        value = value * 16 +
                                (std::isdigit(static_cast<unsigned char>(h))
                                     ? h - '0'
                                     : std::toupper(static_cast<unsigned char>(h)) - 'A' + 10);
                        ++count;
                    }
                    bytes += static_cast<char>(value);
                    break;
                }
                default:
                    if (escaped >= '0' && escaped <= '7') {
                        int value = escaped - '0';
                        int count = 1;
                        while (count < 3 && pos_ < text_.size() && text_[pos_] >= '0' &&
                               text_[pos_] <= '7') {
                            value = value * 8 + (text_[pos_++] - '0');
                            ++count;
                        }
                        bytes += static_cast<char>(value & 0xFF);
                    } else {
                        bytes += '\\';
                        bytes += escaped;
                    }
            }
        }
        return make(TokenKind::String, utf8_ ? windows1252FromUtf8(bytes) : bytes);
    }

    const std::string& text_;
    const std::string* file_;
    int line_;
    bool utf8_;
    std::size_t pos_ = 0;
};

}  // namespace

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

bool sameWord(std::string_view a, std::string_view b) {
    return equalIgnoringCase(a, b);
}

bool isIdentifierStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0 || c == '_';
}
bool isIdentifierChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

void fail(const std::string* file, int line, const std::string& what) {
    throw ScriptError{*file + ":" + std::to_string(line) + ": " + what};
}

void fail(const Token& at, const std::string& what) {
    fail(at.file, at.line, what);
}

std::vector<Line> logicalLines(const std::string& text) {
    return joinedLines(withoutComments(text));
}

std::vector<Token> lex(const std::string& text, const std::string* file, int line, bool utf8) {
    return Lexer(text, file, line, utf8).tokens();
}

}  // namespace quorvel::rc::script
