#pragma once

// The parts of the resource-script reader behind readResourceScript(): the
// lexer, the expression evaluator, the preprocessor and the parser. Private
// to them and their tests.

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/code_page.h"
#include "tools/rc/resource_script.h"

namespace quorvel::rc::script {

// What the reader builds, and the platform's text rules it reads by.
using platform::ControlTemplate;
using platform::equalIgnoringCase;
using platform::MenuItem;
using platform::Rect;
using platform::windows1252FromUtf8;

// Thrown inside the reader only; readResourceScript turns it into the error text.
struct ScriptError {
    std::string message;
};

std::string upper(std::string_view text);
bool sameWord(std::string_view a, std::string_view b);
bool isIdentifierStart(char c);
bool isIdentifierChar(char c);
// "dir/" of "dir/file.rc"; empty for a file without a folder.
std::string folderOf(const std::string& path);

enum class TokenKind { Identifier, Number, String, Punct };

struct Token {
    TokenKind kind = TokenKind::Punct;
    std::string text;  // identifier, punctuation, or the string's bytes
    long long value = 0;
    const std::string* file = nullptr;
    int line = 0;
};

[[noreturn]] void fail(const Token& at, const std::string& what);
[[noreturn]] void fail(const std::string* file, int line, const std::string& what);

// ---------------------------------------------------------------------------
// Lexer (script_lexer.cpp)

struct Line {
    std::string text;
    int number = 0;
};

// The script's lines with comments made spaces and backslash-continued lines
// joined, each numbered by the line it starts on.
std::vector<Line> logicalLines(const std::string& text);

// The tokens of one line; strings are taken as UTF-8 and stored in
// Windows-1252 when utf8.
std::vector<Token> lex(const std::string& text, const std::string* file, int line, bool utf8);

// ---------------------------------------------------------------------------
// Expression evaluator (script_expression.cpp)

// Evaluates C-style integer expressions over tokens from pos on, leaving pos
// after what it read. Names are valued by the caller's function; NOT (a
// resource script's bit clearing) is left to the caller, which stops at it.
class Expression {
  public:
    using NameValue = std::function<long long(const Token&)>;

    Expression(const std::vector<Token>& tokens, std::size_t& pos, NameValue name)
        : tokens_(tokens), pos_(pos), name_(std::move(name)) {}

    long long full();
    // Everything binding tighter than '|', for style lists.
    long long term();

  private:
    const Token& current() const;
    long long binary(int minLevel);
    long long unary();

    const std::vector<Token>& tokens_;
    std::size_t& pos_;
    NameValue name_;
};

// ---------------------------------------------------------------------------
// Preprocessor (script_preprocessor.cpp)

struct Preprocessed {
    std::vector<Token> tokens;
    // Whether the script included one of the platform's headers, which is
    // where a resource compiler gets the platform's names from.
    bool systemNames = false;
};

// Follows the script's #include, #define, #if... lines and gives the tokens
// of what remains, macros replaced. Adds every file read to files; the
// tokens point into names, which must outlive them.
Preprocessed preprocess(const std::string& path, const ScriptFileReader& read,
                        std::vector<std::string>& files, std::deque<std::string>& names);

// ---------------------------------------------------------------------------
// Parser (script_parser.cpp)

// The resources of a preprocessed script; icon files are read through read
// and added to files.
ResourceScript parse(const Preprocessed& script, const ScriptFileReader& read,
                     std::vector<std::string>& files, const std::string& scriptPath);

}  // namespace quorvel::rc::script
