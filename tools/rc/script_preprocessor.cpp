#include <algorithm>
#include <map>
#include <set>

#include "tools/rc/script_reader.h"

namespace quorvel::rc::script {
namespace {

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
        for (const Line& line : logicalLines(text)) {
            std::size_t first = line.text.find_first_not_of(" \t");
            const bool active = branches.empty() || branches.back().active;
            if (first != std::string::npos && line.text[first] == '#') {
                directive(line.text.substr(first + 1), file, line.number, branches, depth);
                continue;
            }
            if (!active || first == std::string::npos) {
                continue;
            }
            for (Token& token : expand(lex(line.text, file, line.number, utf8_), {})) {
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
                    const std::vector<Token> tokens = lex(argument, file, line, false);
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
                macro.body = lex(argument.substr(stop), file, line, utf8_);
            }
            macros_[argument.substr(start, stop - start)] = std::move(macro);
        } else if (name == "undef") {
            const std::vector<Token> tokens = lex(argument, file, line, false);
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
        const std::vector<Token> tokens = lex(argument, at.file, at.line, false);
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
        std::vector<Token> tokens = lex(text, file, line, false);
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
            fail(file, line, "#if needs a condition");
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

}  // namespace

Preprocessed preprocess(const std::string& path, const ScriptFileReader& read,
                        std::vector<std::string>& files, std::deque<std::string>& names) {
    Preprocessor preprocessor(read, files, names);
    Preprocessed result;
    result.tokens = preprocessor.run(path);
    result.systemNames = preprocessor.systemNamesIncluded();
    return result;
}

}  // namespace quorvel::rc::script
