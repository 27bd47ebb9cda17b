#include "platform/core/resource_script.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <map>
#include <set>
#include <utility>

#include "platform/core/code_page.h"
#include "platform/core/script_constants.h"

namespace quorvel::platform {
namespace {

// Thrown inside the reader only; readResourceScript turns it into the error text.
struct ScriptError {
    std::string message;
};

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

bool sameWord(std::string_view a, std::string_view b) {
    return upper(a) == upper(b);
}

enum class TokenKind { Identifier, Number, String, Punct };

struct Token {
    TokenKind kind = TokenKind::Punct;
    std::string text;  // identifier, punctuation, or the string's bytes
    long long value = 0;
    const std::string* file = nullptr;
    int line = 0;
};

std::string where(const std::string& file, int line) {
    return file + ":" + std::to_string(line) + ": ";
}

[[noreturn]] void fail(const Token& at, const std::string& what) {
    throw ScriptError{where(*at.file, at.line) + what};
}

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

struct Line {
    std::string text;
    int number = 0;
};

std::vector<Line> logicalLines(const std::string& text) {
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

bool isIdentifierStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0 || c == '_';
}
bool isIdentifierChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
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
        fail(make(TokenKind::Punct, ""), std::string("unexpected character '") + c + "'");
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
            if (digit < 0 || digit >= base || value > 0xFFFFFFFFLL) {
                fail(token, "bad number '" + token.text + "'");
            }
            value = value * base + digit;
        }
        token.value = value;
        return token;
    }

    Token stringLiteral() {
        std::string bytes;
        while (true) {
            if (pos_ >= text_.size()) {
                fail(make(TokenKind::String, ""), "string without its closing quote");
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

// Evaluates C-style integer expressions over tokens. Names are looked up by
// the caller's function; NOT (a resource script's bit clearing) is left to
// the caller, which stops at it.
class Expression {
  public:
    using NameValue = std::function<long long(const Token&)>;

    Expression(const std::vector<Token>& tokens, std::size_t& pos, NameValue name)
        : tokens_(tokens), pos_(pos), name_(std::move(name)) {}

    long long full() { return binary(0); }
    // Everything binding tighter than '|', for style lists.
    long long term() { return binary(4); }

  private:
    static int precedence(const std::string& op) {
        static const std::map<std::string, int> levels = {
            {"||", 1}, {"&&", 2}, {"|", 3}, {"^", 4},  {"&", 5},  {"==", 6},
            {"!=", 6}, {"<", 7},  {">", 7}, {"<=", 7}, {">=", 7}, {"<<", 8},
            {">>", 8}, {"+", 9},  {"-", 9}, {"*", 10}, {"/", 10}, {"%", 10}};
        const auto found = levels.find(op);
        return found == levels.end() ? -1 : found->second;
    }

    const Token& current() const {
        if (pos_ >= tokens_.size()) {
            fail(tokens_.back(), "the script ends inside an expression");
        }
        return tokens_[pos_];
    }

    long long binary(int minLevel) {
        long long left = unary();
        while (pos_ < tokens_.size() && tokens_[pos_].kind == TokenKind::Punct) {
            const Token& op = tokens_[pos_];
            const int level = precedence(op.text);
            if (level < 0 || level < minLevel) {
                break;
            }
            ++pos_;
            const long long right = binary(level + 1);
            left = apply(op, left, right);
        }
        return left;
    }

    static long long apply(const Token& op, long long a, long long b) {
        const std::string& o = op.text;
        if (o == "||")
            return (a != 0 || b != 0) ? 1 : 0;
        if (o == "&&")
            return (a != 0 && b != 0) ? 1 : 0;
        if (o == "|")
            return a | b;
        if (o == "^")
            return a ^ b;
        if (o == "&")
            return a & b;
        if (o == "==")
            return a == b ? 1 : 0;
        if (o == "!=")
            return a != b ? 1 : 0;
        if (o == "<")
            return a < b ? 1 : 0;
        if (o == ">")
            return a > b ? 1 : 0;
        if (o == "<=")
            return a <= b ? 1 : 0;
        if (o == ">=")
            return a >= b ? 1 : 0;
        if (o == "<<" || o == ">>") {
            if (b < 0 || b > 32) {
                fail(op, "shift out of range");
            }
            return o == "<<" ? static_cast<long long>(static_cast<unsigned long long>(a) << b)
                             : a >> b;
        }
        if (o == "+")
            return a + b;
        if (o == "-")
            return a - b;
        if (o == "*")
            return a * b;
        if (b == 0) {
            fail(op, "division by zero");
        }
        return o == "/" ? a / b : a % b;
    }

    long long unary() {
        const Token& token = current();
        if (token.kind == TokenKind::Punct) {
            ++pos_;
            if (token.text == "-")
                return -unary();
            if (token.text == "+")
                return unary();
            if (token.text == "~")
                return ~unary();
            if (token.text == "!")
                return unary() == 0 ? 1 : 0;
            if (token.text == "(") {
                const long long value = binary(0);
                if (pos_ >= tokens_.size() || tokens_[pos_].text != ")") {
                    fail(token, "'(' without its ')'");
                }
                ++pos_;
                return value;
            }
            fail(token, "expected a number, found '" + token.text + "'");
        }
        if (token.kind == TokenKind::Number) {
            ++pos_;
            return token.value;
        }
        if (token.kind == TokenKind::Identifier) {
            ++pos_;
            return name_(token);
        }
        fail(token, "expected a number, found a string");
    }

    const std::vector<Token>& tokens_;
    std::size_t& pos_;
    NameValue name_;
};

struct Macro {
    std::vector<Token> body;
    bool functionLike = false;
};

bool isSystemHeader(const std::string& name) {
    static const std::set<std::string> headers = {
        "WINDOWS.H", "WINRES.H", "WINRESRC.H", "AFXRES.H", "COMMCTRL.H",
        "WINUSER.H", "WINVER.H", "WINNT.H",    "DLGS.H",   "RICHEDIT.H"};
    return headers.count(upper(name)) != 0;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

class Preprocessor {
  public:
    // Tokens point into names, which must outlive them.
    Preprocessor(const ScriptFileReader& read, std::vector<std::string>& files,
                 std::deque<std::string>& names)
        : read_(read), files_(files), names_(names) {
        define("RC_INVOKED", 1);
        define("_WIN32", 1);
    }

    std::vector<Token> run(const std::string& path) {
        const std::optional<std::string> text = read_(path);
        if (!text) {
            throw ScriptError{path + ": cannot read the resource script"};
        }
        files_.push_back(path);
        process(path, *text, 0);
        return std::move(out_);
    }

    // Whether the script included one of the platform's headers, which is
    // where a resource compiler gets the platform's names from.
    bool systemNamesIncluded() const { return systemNames_; }

  private:
    struct Branch {
        bool parentActive = true;
        bool active = true;
        bool taken = false;
        bool elseSeen = false;
    };

    void define(const std::string& name, long long value) {
        Token token;
        token.kind = TokenKind::Number;
        token.text = std::to_string(value);
        token.value = value;
        token.file = &names_.emplace_back("<built in>");
        macros_[name] = Macro{{token}, false};
    }

    void process(const std::string& path, const std::string& text, int depth) {
        if (depth > 16) {
            throw ScriptError{path + ": #include nested too deeply"};
        }
        const std::string* file = &names_.emplace_back(path);
        std::vector<Branch> branches;
        for (const Line& line : logicalLines(withoutComments(text))) {
            std::size_t first = line.text.find_first_not_of(" \t");
            const bool active = branches.empty() || branches.back().active;
            if (first != std::string::npos && line.text[first] == '#') {
                directive(line.text.substr(first + 1), file, line.number, branches, depth);
                continue;
            }
            if (!active || first == std::string::npos) {
                continue;
            }
            for (Token& token : expand(Lexer(line.text, file, line.number, utf8_).tokens(), {})) {
                out_.push_back(std::move(token));
            }
        }
        if (!branches.empty()) {
            throw ScriptError{path + ": #if without its #endif"};
        }
    }

    void directive(const std::string& rest, const std::string* file, int line,
                   std::vector<Branch>& branches, int depth) {
        std::size_t pos = rest.find_first_not_of(" \t");
        std::size_t end = pos;
        while (end < rest.size() && isIdentifierChar(rest[end])) {
            ++end;
        }
        const std::string name = pos == std::string::npos ? "" : rest.substr(pos, end - pos);
        const std::string argument = end >= rest.size() ? "" : rest.substr(end);
        const bool active = branches.empty() || branches.back().active;
        Token at;
        at.file = file;
        at.line = line;

        if (name == "if" || name == "ifdef" || name == "ifndef") {
            bool value = false;
            if (active) {
                if (name == "if") {
                    value = condition(argument, file, line);
                } else {
                    const std::vector<Token> tokens = Lexer(argument, file, line, false).tokens();
                    if (tokens.size() != 1 || tokens[0].kind != TokenKind::Identifier) {
                        fail(at, "#" + name + " needs one name");
                    }
                    value = (macros_.count(tokens[0].text) != 0) == (name == "ifdef");
                }
            }
            branches.push_back({active, active && value, active && value, false});
            return;
        }
        if (name == "elif" || name == "else") {
            if (branches.empty() || branches.back().elseSeen) {
                fail(at, "#" + name + " without its #if");
            }
            Branch& branch = branches.back();
            bool value = true;
            if (name == "elif" && branch.parentActive && !branch.taken) {
                value = condition(argument, file, line);
            }
            branch.elseSeen = name == "else";
            branch.active = branch.parentActive && !branch.taken && value;
            branch.taken = branch.taken || branch.active;
            return;
        }
        if (name == "endif") {
            if (branches.empty()) {
                fail(at, "#endif without its #if");
            }
            branches.pop_back();
            return;
        }
        if (!active) {
            return;
        }
        if (name == "define") {
            std::size_t start = argument.find_first_not_of(" \t");
            std::size_t stop = start;
            while (stop < argument.size() && isIdentifierChar(argument[stop])) {
                ++stop;
            }
            if (start == std::string::npos || stop == start ||
                !isIdentifierStart(argument[start])) {
                fail(at, "#define needs a name");
            }
            Macro macro;
            macro.functionLike = stop < argument.size() && argument[stop] == '(';
            if (!macro.functionLike) {
                macro.body = Lexer(argument.substr(stop), file, line, utf8_).tokens();
            }
            macros_[argument.substr(start, stop - start)] = std::move(macro);
        } else if (name == "undef") {
            const std::vector<Token> tokens = Lexer(argument, file, line, false).tokens();
            if (tokens.size() != 1 || tokens[0].kind != TokenKind::Identifier) {
                fail(at, "#undef needs one name");
            }
            macros_.erase(tokens[0].text);
        } else if (name == "include") {
            include(argument, at, depth);
        } else if (name == "pragma") {
            pragma(argument, at);
        } else if (name == "error") {
            fail(at, "#error" + argument);
        } else if (name != "line" && !name.empty()) {
            fail(at, "unknown directive #" + name);
        }
    }

    void include(const std::string& argument, const Token& at, int depth) {
        const std::size_t open = argument.find_first_of("\"<");
        const char close = open == std::string::npos ? '"' : (argument[open] == '<' ? '>' : '"');
        const std::size_t shut = open == std::string::npos ? open : argument.find(close, open + 1);
        if (shut == std::string::npos) {
            fail(at, "#include needs a file name in quotes or <>");
        }
        const std::string name = argument.substr(open + 1, shut - open - 1);
        std::string base = name;
        const std::size_t slash = base.find_last_of("/\\");
        if (slash != std::string::npos) {
            base = base.substr(slash + 1);
        }
        if (isSystemHeader(base)) {
            systemNames_ = true;  // its names are built in
            if (upper(base) == "WINRES.H" || upper(base) == "AFXRES.H") {
                define("IDC_STATIC", -1);  // the resource editors' name, theirs alone
            }
            return;
        }
        const std::string path = folderOf(*at.file) + name;
        if (onceOnly_.count(path) != 0) {
            return;
        }
        const std::optional<std::string> text = read_(path);
        if (!text) {
            fail(at, "cannot find the included file \"" + name + "\"");
        }
        if (std::find(files_.begin(), files_.end(), path) == files_.end()) {
            files_.push_back(path);
        }
        process(path, *text, depth + 1);
    }

    void pragma(const std::string& argument, const Token& at) {
        const std::vector<Token> tokens = Lexer(argument, at.file, at.line, false).tokens();
        if (tokens.empty()) {
            return;
        }
        if (tokens[0].text == "once") {
            onceOnly_.insert(*at.file);
        } else if (tokens[0].text == "code_page") {
            if (tokens.size() < 4 || tokens[1].text != "(") {
                fail(at, "#pragma code_page needs a code page");
            }
            if (tokens[2].kind == TokenKind::Number && tokens[2].value == 65001) {
                utf8_ = true;
            } else if ((tokens[2].kind == TokenKind::Number && tokens[2].value == 1252) ||
                       sameWord(tokens[2].text, "DEFAULT")) {
                utf8_ = false;
            } else {
                fail(at, "code page " + tokens[2].text + " is not supported (1252 or 65001)");
            }
        }
    }

    bool condition(const std::string& text, const std::string* file, int line) {
        std::vector<Token> tokens = Lexer(text, file, line, false).tokens();
        std::vector<Token> resolved;
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            if (tokens[i].kind != TokenKind::Identifier || tokens[i].text != "defined") {
                resolved.push_back(tokens[i]);
                continue;
            }
            std::size_t k = i + 1;
            const bool parenthesised = k < tokens.size() && tokens[k].text == "(";
            k += parenthesised ? 1 : 0;
            if (k >= tokens.size() || tokens[k].kind != TokenKind::Identifier ||
                (parenthesised && (k + 1 >= tokens.size() || tokens[k + 1].text != ")"))) {
                fail(tokens[i], "defined needs a name");
            }
            Token value = tokens[i];
            value.kind = TokenKind::Number;
            value.value = macros_.count(tokens[k].text) != 0 ? 1 : 0;
            resolved.push_back(value);
            i = parenthesised ? k + 1 : k;
        }
        const std::vector<Token> expanded = expand(resolved, {});
        if (expanded.empty()) {
            Token at;
            at.file = file;
            at.line = line;
            fail(at, "#if needs a condition");
        }
        std::size_t pos = 0;
        const long long value = Expression(expanded, pos, [](const Token&) { return 0LL; }).full();
        if (pos != expanded.size()) {
            fail(expanded[pos], "unexpected '" + expanded[pos].text + "' in #if");
        }
        return value != 0;
    }

    std::vector<Token> expand(const std::vector<Token>& tokens,
                              const std::set<std::string>& hidden) {
        std::vector<Token> out;
        for (const Token& token : tokens) {
            const auto macro = token.kind == TokenKind::Identifier && hidden.count(token.text) == 0
                                   ? macros_.find(token.text)
                                   : macros_.end();
            if (macro == macros_.end()) {
                out.push_back(token);
                continue;
            }
            if (macro->second.functionLike) {
                fail(token,
                     "macro " + token.text + " takes arguments, which scripts here cannot use");
            }
            std::set<std::string> inner = hidden;
            inner.insert(token.text);
            for (Token replaced : expand(macro->second.body, inner)) {
                replaced.file = token.file;
                replaced.line = token.line;
                out.push_back(std::move(replaced));
            }
        }
        return out;
    }

    const ScriptFileReader& read_;
    std::vector<std::string>& files_;
    std::map<std::string, Macro> macros_;
    std::set<std::string> onceOnly_;
    std::deque<std::string>& names_;  // file names the tokens point to
    std::vector<Token> out_;
    bool utf8_ = false;
    bool systemNames_ = false;
};

class Parser {
  public:
    Parser(std::vector<Token> tokens, bool systemNames, const ScriptFileReader& read,
           std::vector<std::string>& files, const std::string& scriptPath)
        : tokens_(std::move(tokens)),
          systemNames_(systemNames),
          read_(read),
          files_(files),
          folder_(folderOf(scriptPath)) {}

    ResourceScript run() {
        while (pos_ < tokens_.size()) {
            statement();
        }
        return std::move(script_);
    }

  private:
    bool atEnd() const { return pos_ >= tokens_.size(); }

    const Token& peek() const {
        if (atEnd()) {
            fail(tokens_.back(), "the script ends too early");
        }
        return tokens_[pos_];
    }

    const Token& take() {
        const Token& token = peek();
        ++pos_;
        return token;
    }

    bool peekWord(std::string_view word) const {
        return !atEnd() && tokens_[pos_].kind == TokenKind::Identifier &&
               sameWord(tokens_[pos_].text, word);
    }

    bool peekPunct(std::string_view punct) const {
        return !atEnd() && tokens_[pos_].kind == TokenKind::Punct && tokens_[pos_].text == punct;
    }

    bool atBlockStart() const { return peekWord("BEGIN") || peekPunct("{"); }
    bool atBlockEnd() const { return peekWord("END") || peekPunct("}"); }

    void expectBlockStart() {
        if (!atBlockStart()) {
            fail(peek(), "expected BEGIN, found '" + peek().text + "'");
        }
        ++pos_;
    }

    void comma() {
        if (!peekPunct(",")) {
            fail(peek(), "expected ',', found '" + peek().text + "'");
        }
        ++pos_;
    }

    bool optionalComma() {
        if (peekPunct(",")) {
            ++pos_;
            return true;
        }
        return false;
    }

    // The platform's names (WS_POPUP, IDOK ...) are known only after the
    // script includes the platform's header, as for a resource compiler.
    std::optional<long long> platformName(const std::string& name) const {
        return systemNames_ ? scriptConstant(name) : std::nullopt;
    }

    long long constant(const Token& token) const {
        const std::optional<long long> value = platformName(token.text);
        if (!value) {
            fail(token,
                 "unknown name " + token.text +
                     (scriptConstant(token.text) ? " (the script does not include <windows.h>)"
                                                 : ""));
        }
        return *value;
    }

    long long number() {
        return Expression(tokens_, pos_, [this](const Token& t) { return constant(t); }).full();
    }

    int integer() { return static_cast<int>(number()); }

    // A style list: terms joined by '|', where NOT clears bits from what the
    // list (starting from the statement's defaults) has so far.
    DWORD style(DWORD defaults) {
        long long value = defaults;
        while (true) {
            const bool clear = peekWord("NOT");
            pos_ += clear ? 1 : 0;
            const long long term =
                Expression(tokens_, pos_, [this](const Token& t) { return constant(t); }).term();
            value = clear ? (value & ~term) : (value | term);
            if (!peekPunct("|")) {
                return static_cast<DWORD>(value);
            }
            ++pos_;
        }
    }

    std::string string() {
        const Token& token = take();
        if (token.kind != TokenKind::String) {
            fail(token, "expected a text in quotes, found '" + token.text + "'");
        }
        return token.text;
    }

    ResourceName name() {
        const Token& token = peek();
        ResourceName result;
        if (token.kind == TokenKind::String) {
            ++pos_;
            result.text = upper(token.text);
        } else if (token.kind == TokenKind::Identifier && !platformName(token.text)) {
            ++pos_;
            result.text = upper(token.text);
        } else {
            const long long value = number();
            if (value < 0 || value > 0xFFFF) {
                fail(token, "resource number out of range");
            }
            result.number = static_cast<int>(value);
        }
        return result;
    }

    void skipMemoryOptions() {
        static const char* const options[] = {"PRELOAD",  "LOADONCALL",  "FIXED",
                                              "MOVEABLE", "DISCARDABLE", "PURE",
                                              "IMPURE",   "SHARED",      "NONSHARED"};
        bool more = true;
        while (more && !atEnd()) {
            more = false;
            for (const char* option : options) {
                if (peekWord(option)) {
                    ++pos_;
                    more = true;
                }
            }
        }
    }

    void skipBlock() {
        while (!atBlockStart()) {
            take();
        }
        int depth = 0;
        do {
            if (atBlockStart()) {
                ++depth;
            } else if (atBlockEnd()) {
                --depth;
            }
            take();
        } while (depth > 0);
    }

    void statement() {
        const Token& first = peek();
        if (peekWord("LANGUAGE")) {
            ++pos_;
            number();
            comma();
            number();
            return;
        }
        if (peekWord("STRINGTABLE")) {
            skipBlock();
            return;
        }
        const ResourceName resource = name();
        if (atEnd()) {
            fail(first, "a resource without its type");
        }
        const Token& type = take();
        if (type.kind == TokenKind::Identifier &&
            (sameWord(type.text, "DIALOG") || sameWord(type.text, "DIALOGEX"))) {
            dialog(resource, sameWord(type.text, "DIALOGEX"), type);
        } else if (type.kind == TokenKind::Identifier && sameWord(type.text, "MENU")) {
            menu(resource, type);
        } else if (type.kind == TokenKind::Identifier && sameWord(type.text, "ICON")) {
            icon(resource, type);
        } else if (type.kind == TokenKind::Identifier &&
                   (sameWord(type.text, "VERSIONINFO") || sameWord(type.text, "ACCELERATORS") ||
                    sameWord(type.text, "TEXTINCLUDE") || sameWord(type.text, "DESIGNINFO") ||
                    sameWord(type.text, "GUIDELINES"))) {
            skipBlock();
        } else if ((type.kind == TokenKind::Identifier &&
                    (sameWord(type.text, "BITMAP") || sameWord(type.text, "CURSOR") ||
                     sameWord(type.text, "RCDATA") || sameWord(type.text, "HTML"))) ||
                   type.kind == TokenKind::Number) {
            skipMemoryOptions();
            if (!atEnd() && peek().kind == TokenKind::String) {
                ++pos_;
            } else {
                skipBlock();
            }
        } else {
            fail(type, "unknown resource type '" + type.text + "'");
        }
    }

    template <typename T>
    void checkUnique(const std::vector<T>& existing, const ResourceName& resource, const Token& at,
                     const char* kind) {
        for (const T& item : existing) {
            if (item.name.number == resource.number && item.name.text == resource.text) {
                fail(at, std::string(kind) + " " + resource.describe() + " is defined twice");
            }
        }
    }

    void dialog(const ResourceName& resource, bool extended, const Token& at) {
        checkUnique(script_.dialogs, resource, at, "dialog");
        DialogTemplate dialog;
        dialog.name = resource;
        dialog.extended = extended;
        skipMemoryOptions();
        dialog.rect = rect();
        if (extended && optionalComma()) {
            number();  // help id
        }
        bool styled = false;
        while (!atBlockStart()) {
            const Token& option = take();
            const std::string word = upper(option.text);
            if (option.kind != TokenKind::Identifier) {
                fail(option, "expected a dialog option or BEGIN, found '" + option.text + "'");
            } else if (word == "STYLE") {
                dialog.style = style(0);
                styled = true;
            } else if (word == "EXSTYLE") {
                dialog.exStyle = style(0);
            } else if (word == "CAPTION") {
                dialog.caption = string();
                dialog.style |= WS_CAPTION;
            } else if (word == "CLASS") {
                dialog.className = peek().kind == TokenKind::String ? string() : take().text;
            } else if (word == "FONT") {
                dialog.fontPointSize = integer();
                comma();
                dialog.fontName = string();
                while (optionalComma()) {
                    number();  // weight, italic, character set
                }
            } else if (word == "MENU") {
                dialog.menu = name();
            } else if (word == "LANGUAGE") {
                number();
                comma();
                number();
            } else if (word == "CHARACTERISTICS" || word == "VERSION") {
                number();
            } else {
                fail(option, "unknown dialog option " + option.text);
            }
        }
        if (!styled) {
            dialog.style |= WS_POPUP | WS_BORDER | WS_SYSMENU;
        }
        if (!dialog.fontName.empty()) {
            dialog.style |= DS_SETFONT;
        }
        expectBlockStart();
        while (!atBlockEnd()) {
            dialog.controls.push_back(control());
        }
        ++pos_;
        script_.dialogs.push_back(std::move(dialog));
    }

    Rect rect() {
        Rect r;
        r.x = integer();
        comma();
        r.y = integer();
        comma();
        r.cx = integer();
        comma();
        r.cy = integer();
        return r;
    }

    struct Kind {
        const char* keyword;
        const char* className;
        DWORD defaults;
        bool hasText;
    };

    ControlTemplate control() {
        static const Kind kinds[] = {
            {"LTEXT", "Static", SS_LEFT | WS_GROUP, true},
            {"CTEXT", "Static", SS_CENTER | WS_GROUP, true},
            {"RTEXT", "Static", 0x2 | WS_GROUP, true},
            {"PUSHBUTTON", "Button", BS_PUSHBUTTON | WS_TABSTOP, true},
            {"DEFPUSHBUTTON", "Button", BS_DEFPUSHBUTTON | WS_TABSTOP, true},
            {"GROUPBOX", "Button", BS_GROUPBOX, true},
            {"AUTORADIOBUTTON", "Button", BS_AUTORADIOBUTTON | WS_TABSTOP, true},
            {"AUTOCHECKBOX", "Button", BS_AUTOCHECKBOX | WS_TABSTOP, true},
            {"RADIOBUTTON", "Button", 0x4 | WS_TABSTOP, true},
            {"CHECKBOX", "Button", 0x2 | WS_TABSTOP, true},
            {"EDITTEXT", "Edit", ES_LEFT | WS_BORDER | WS_TABSTOP, false},
            {"COMBOBOX", "ComboBox", 0x1 | WS_TABSTOP, false},
            {"ICON", "Static", SS_ICON, true},
        };
        const Token& keyword = take();
        ControlTemplate control;
        if (keyword.kind == TokenKind::Identifier && sameWord(keyword.text, "CONTROL")) {
            controlText(control);
            comma();
            control.id = integer();
            comma();
            control.className = className();
            comma();
            control.style = style(WS_CHILD | WS_VISIBLE);
            comma();
            control.rect = rect();
            if (optionalComma()) {
                control.exStyle = style(0);
            }
            return control;
        }
        const Kind* kind = nullptr;
        for (const Kind& candidate : kinds) {
            if (keyword.kind == TokenKind::Identifier &&
                sameWord(keyword.text, candidate.keyword)) {
                kind = &candidate;
            }
        }
        if (kind == nullptr) {
            fail(keyword, "unknown control statement '" + keyword.text + "'");
        }
        control.className = kind->className;
        if (kind->hasText) {
            controlText(control);
            comma();
        }
        control.id = integer();
        comma();
        control.rect.x = integer();
        comma();
        control.rect.y = integer();
        control.style = WS_CHILD | WS_VISIBLE | kind->defaults;
        const bool isIcon = sameWord(keyword.text, "ICON");
        if (isIcon && !peekPunct(",")) {
            return control;
        }
        comma();
        control.rect.cx = integer();
        comma();
        control.rect.cy = integer();
        if (optionalComma()) {
            control.style = style(control.style);
            if (optionalComma()) {
                control.exStyle = style(0);
                if (optionalComma()) {
                    number();  // help id
                }
            }
        }
        return control;
    }

    void controlText(ControlTemplate& control) {
        if (peek().kind == TokenKind::String) {
            control.text = string();
        } else {
            control.image = name();
        }
    }

    std::string className() {
        const Token& token = take();
        if (token.kind == TokenKind::String) {
            return token.text;
        }
        static const char* const known[] = {"Button",   "Edit",    "Static",
                                            "ComboBox", "ListBox", "ScrollBar"};
        for (const char* name : known) {
            if (token.kind == TokenKind::Identifier && sameWord(token.text, name)) {
                return name;
            }
        }
        fail(token, "expected a window class, found '" + token.text + "'");
    }

    void menu(const ResourceName& resource, const Token& at) {
        checkUnique(script_.menus, resource, at, "menu");
        MenuResource menu;
        menu.name = resource;
        skipMemoryOptions();
        menu.items = menuItems();
        script_.menus.push_back(std::move(menu));
    }

    std::vector<MenuItem> menuItems() {
        expectBlockStart();
        std::vector<MenuItem> items;
        while (!atBlockEnd()) {
            const Token& keyword = take();
            MenuItem item;
            if (keyword.kind == TokenKind::Identifier && sameWord(keyword.text, "MENUITEM")) {
                if (peekWord("SEPARATOR")) {
                    ++pos_;
                    item.separator = true;
                } else {
                    item.text = string();
                    comma();
                    item.id = integer();
                    menuOptions(item);
                }
            } else if (keyword.kind == TokenKind::Identifier && sameWord(keyword.text, "POPUP")) {
                item.popup = true;
                item.text = string();
                menuOptions(item);
                item.items = menuItems();
            } else {
                fail(keyword, "expected MENUITEM or POPUP, found '" + keyword.text + "'");
            }
            items.push_back(std::move(item));
        }
        ++pos_;
        return items;
    }

    void menuOptions(MenuItem& item) {
        while (true) {
            optionalComma();
            if (peekWord("GRAYED") || peekWord("INACTIVE")) {
                item.grayed = true;
            } else if (peekWord("CHECKED")) {
                item.checked = true;
            } else if (!(peekWord("MENUBARBREAK") || peekWord("MENUBREAK") || peekWord("HELP"))) {
                return;
            }
            ++pos_;
        }
    }

    void icon(const ResourceName& resource, const Token& at) {
        checkUnique(script_.icons, resource, at, "icon");
        skipMemoryOptions();
        const Token& fileToken = peek();
        IconResource icon;
        icon.name = resource;
        icon.fileName = string();
        const std::string path = folder_ + icon.fileName;
        const std::optional<std::string> bytes = read_(path);
        if (!bytes) {
            fail(fileToken, "cannot find the icon file \"" + icon.fileName + "\"");
        }
        if (bytes->size() < 6 || (*bytes)[0] != 0 || (*bytes)[1] != 0 || (*bytes)[2] != 1 ||
            (*bytes)[3] != 0 || ((*bytes)[4] == 0 && (*bytes)[5] == 0)) {
            fail(fileToken, "\"" + icon.fileName + "\" is not an icon file");
        }
        icon.bytes = *bytes;
        if (std::find(files_.begin(), files_.end(), path) == files_.end()) {
            files_.push_back(path);
        }
        script_.icons.push_back(std::move(icon));
    }

    std::vector<Token> tokens_;
    bool systemNames_;
    const ScriptFileReader& read_;
    std::vector<std::string>& files_;
    std::string folder_;
    std::size_t pos_ = 0;
    ResourceScript script_;
};

}  // namespace

bool ResourceName::matches(LPCSTR name) const {
    const auto value = reinterpret_cast<std::uintptr_t>(name);
    if (value >> 16 == 0) {
        return number == static_cast<int>(value);
    }
    const std::string_view wanted(name);
    if (!wanted.empty() && wanted[0] == '#') {
        return number >= 0 && std::to_string(number) == wanted.substr(1);
    }
    return number < 0 && text == upper(wanted);
}

std::string ResourceName::describe() const {
    return number >= 0 ? std::to_string(number) : text;
}

ScriptReadResult readResourceScript(const std::string& scriptPath,
                                    const ScriptFileReader& readFile) {
    ScriptReadResult result;
    try {
        std::deque<std::string> names;
        Preprocessor preprocessor(readFile, result.files, names);
        std::vector<Token> tokens = preprocessor.run(scriptPath);
        result.script = Parser(std::move(tokens), preprocessor.systemNamesIncluded(), readFile,
                               result.files, scriptPath)
                            .run();
    } catch (const ScriptError& error) {
        result.error = error.message;
    }
    return result;
}

}  // namespace quorvel::platform
