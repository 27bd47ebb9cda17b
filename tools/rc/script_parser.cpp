#include <algorithm>
#include <iterator>
#include <optional>

#include "tools/rc/script_constants.h"
#include "tools/rc/script_reader.h"

namespace quorvel::rc::script {
namespace {

class Parser {
  public:
    Parser(const Preprocessed& script, const ScriptFileReader& read,
           std::vector<std::string>& files, const std::string& scriptPath)
        : tokens_(script.tokens),
          systemNames_(script.systemNames),
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

    static bool isMemoryOption(const Token& token) {
        static const char* const options[] = {"PRELOAD",  "LOADONCALL",  "FIXED",
                                              "MOVEABLE", "DISCARDABLE", "PURE",
                                              "IMPURE",   "SHARED",      "NONSHARED"};
        return token.kind == TokenKind::Identifier &&
               std::any_of(std::begin(options), std::end(options),
                           [&token](const char* option) { return sameWord(token.text, option); });
    }

    void skipMemoryOptions() {
        while (!atEnd() && isMemoryOption(tokens_[pos_])) {
            ++pos_;
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

    using Reader = void (Parser::*)(const ResourceName& resource, const Token& type);

    struct ResourceType {
        const char* keyword;
        Reader read;
    };

    void statement() {
        // The statements "name TYPE ...", by type.
        static constexpr ResourceType kTypes[] = {
            {"DIALOG", &Parser::dialog},
            {"DIALOGEX", &Parser::dialog},
            {"MENU", &Parser::menu},
            {"ICON", &Parser::icon},
            // Kept by the platform's resource compiler, not used here.
            {"VERSIONINFO", &Parser::skipped},
            {"ACCELERATORS", &Parser::skipped},
            {"TEXTINCLUDE", &Parser::skipped},
            {"DESIGNINFO", &Parser::skipped},
            {"GUIDELINES", &Parser::skipped},
            {"BITMAP", &Parser::skippedFileOrData},
            {"CURSOR", &Parser::skippedFileOrData},
            {"RCDATA", &Parser::skippedFileOrData},
            {"HTML", &Parser::skippedFileOrData},
        };
        const Token& first = peek();
        if (peekWord("LANGUAGE")) {
            ++pos_;
            number();
            comma();
            number();
            return;
        }
        if (peekWord("STRINGTABLE")) {
            ++pos_;
            stringTable();
            return;
        }
        const ResourceName resource = name();
        if (atEnd()) {
            fail(first, "a resource without its type");
        }
        const Token& type = take();
        if (type.kind == TokenKind::Number) {
            skippedFileOrData(resource, type);  // a type by number: the program's own data
            return;
        }
        for (const ResourceType& known : kTypes) {
            if (type.kind == TokenKind::Identifier && sameWord(type.text, known.keyword)) {
                (this->*known.read)(resource, type);
                return;
            }
        }
        fail(type, "unknown resource type '" + type.text + "'");
    }

    void skipped(const ResourceName&, const Token&) { skipBlock(); }

    void skippedFileOrData(const ResourceName&, const Token&) {
        skipMemoryOptions();
        if (!atEnd() && peek().kind == TokenKind::String) {
            ++pos_;
        } else {
            skipBlock();
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

    void dialog(const ResourceName& resource, const Token& at) {
        const bool extended = sameWord(at.text, "DIALOGEX");
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
            {"RTEXT", "Static", SS_RIGHT | WS_GROUP, true},
            {"PUSHBUTTON", "Button", BS_PUSHBUTTON | WS_TABSTOP, true},
            {"DEFPUSHBUTTON", "Button", BS_DEFPUSHBUTTON | WS_TABSTOP, true},
            {"GROUPBOX", "Button", BS_GROUPBOX, true},
            {"AUTORADIOBUTTON", "Button", BS_AUTORADIOBUTTON | WS_TABSTOP, true},
            {"AUTOCHECKBOX", "Button", BS_AUTOCHECKBOX | WS_TABSTOP, true},
            {"RADIOBUTTON", "Button", BS_RADIOBUTTON | WS_TABSTOP, true},
            {"CHECKBOX", "Button", BS_CHECKBOX | WS_TABSTOP, true},
            {"EDITTEXT", "Edit", ES_LEFT | WS_BORDER | WS_TABSTOP, false},
            {"COMBOBOX", "ComboBox", CBS_SIMPLE | WS_TABSTOP, false},
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

    // STRINGTABLE [options] BEGIN id[,] "text" ... END
    void stringTable() {
        while (!atBlockStart()) {
            const Token& option = take();
            if (sameWord(option.text, "LANGUAGE")) {
                number();
                comma();
                number();
            } else if (sameWord(option.text, "CHARACTERISTICS") ||
                       sameWord(option.text, "VERSION")) {
                number();
            } else if (!isMemoryOption(option)) {
                fail(option, "expected BEGIN, found '" + option.text + "'");
            }
        }
        ++pos_;
        while (!atBlockEnd()) {
            const Token& at = peek();
            StringResource entry;
            entry.id = integer();
            optionalComma();
            entry.text = string();
            for (const StringResource& existing : script_.strings) {
                if (existing.id == entry.id) {
                    fail(at, "string " + std::to_string(entry.id) + " is defined twice");
                }
            }
            script_.strings.push_back(std::move(entry));
        }
        ++pos_;
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

    const std::vector<Token>& tokens_;
    bool systemNames_;
    const ScriptFileReader& read_;
    std::vector<std::string>& files_;
    std::string folder_;
    std::size_t pos_ = 0;
    ResourceScript script_;
};

}  // namespace

ResourceScript parse(const Preprocessed& script, const ScriptFileReader& read,
                     std::vector<std::string>& files, const std::string& scriptPath) {
    return Parser(script, read, files, scriptPath).run();
}

}  // namespace quorvel::rc::script
