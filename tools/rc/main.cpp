// quorvel_rc_embed SCRIPT.rc OUTPUT.cpp DEPFILE
//
// Compiles a resource script into a C++ source of constant records
// (platform/core/resources.h): the dialog templates, menus, icons and string
// tables, ready for the program to link. Anything it cannot read fails with
// the file and line.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tools/rc/resource_script.h"

namespace {

using namespace quorvel::platform;
using namespace quorvel::rc;

std::optional<std::string> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string depfileEscaped(const std::string& path) {
    std::string out;
    for (char c : path) {
        if (c == ' ' || c == '#' || c == '\\') {
            out += '\\';
        }
        out += c == '$' ? std::string("$$") : std::string(1, c);
    }
    return out;
}

// A C++ string literal of the bytes; octal escapes, which end after three
// digits, keep a following digit from joining the escape.
std::string literal(const std::string& bytes) {
    std::string out = "\"";
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u >= 0x20 && u < 0x7F) {
            out += c;
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\%03o", u);
            out += escaped;
        }
    }
    return out + "\"";
}

// The pieces written one after another. (Built on a stream: GCC 12 at -O3
// warns falsely inside libstdc++ about "literal" + std::string.)
template <typename... Pieces>
std::string joined(const Pieces&... pieces) {
    std::ostringstream out;
    (out << ... << pieces);
    return out.str();
}

std::string nameRecord(const ResourceName& name) {
    return name.number >= 0 ? joined("{", name.number, ", nullptr}")
                            : joined("{-1, ", literal(name.text), "}");
}

std::string rect(const Rect& r) {
    return joined("{", r.x, ", ", r.y, ", ", r.cx, ", ", r.cy, "}");
}

std::string array(const std::string& name, std::size_t count) {
    return count == 0 ? "nullptr, 0" : joined(name, ", ", count);
}

class Writer {
  public:
    std::string source(const ResourceScript& script, const std::string& scriptName) {
        out_ << std::boolalpha << "// Compiled from " << scriptName
             << " by quorvel_rc_embed; do not edit.\n"
             << "#include \"platform/core/resources.h\"\n\n"
             << "namespace quorvel::platform {\nnamespace {\n\n";
        dialogs(script.dialogs);
        menus(script.menus);
        icons(script.icons);
        strings(script.strings);
        out_ << "constexpr ResourceTable table = {" << array("dialogs", script.dialogs.size())
             << ", " << array("menus", script.menus.size()) << ", "
             << array("icons", script.icons.size()) << ", "
             << array("strings", script.strings.size()) << "};\n\n"
             << "}  // namespace\n\n"
             << "const ResourceTable& programResources() {\n    return table;\n}\n\n"
             << "}  // namespace quorvel::platform\n";
        return out_.str();
    }

  private:
    void dialogs(const std::vector<DialogTemplate>& dialogs) {
        for (std::size_t d = 0; d < dialogs.size(); ++d) {
            if (dialogs[d].controls.empty()) {
                continue;
            }
            out_ << "constexpr ControlRecord dialog" << d << "Controls[] = {\n";
            for (const ControlTemplate& c : dialogs[d].controls) {
                out_ << "    {" << literal(c.className) << ", " << literal(c.text) << ", "
                     << (c.image ? joined("true, ", nameRecord(*c.image)) : "false, {}") << ", "
                     << c.id << ", " << rect(c.rect) << ", " << c.style << "u, " << c.exStyle
                     << "u},\n";
            }
            out_ << "};\n";
        }
        if (dialogs.empty()) {
            return;
        }
        out_ << "constexpr DialogRecord dialogs[] = {\n";
        for (std::size_t d = 0; d < dialogs.size(); ++d) {
            const DialogTemplate& t = dialogs[d];
            out_ << "    {" << nameRecord(t.name) << ", " << (t.extended ? "true" : "false") << ", "
                 << rect(t.rect) << ", " << t.style << "u, " << t.exStyle << "u, "
                 << literal(t.caption) << ", " << literal(t.className) << ", "
                 << (t.menu ? joined("true, ", nameRecord(*t.menu)) : "false, {}") << ", "
                 << literal(t.fontName) << ", " << t.fontPointSize << ", "
                 << array(joined("dialog", d, "Controls"), t.controls.size()) << "},\n";
        }
        out_ << "};\n\n";
    }

    // Writes the arrays of a menu's popups before the array naming them;
    // gives the array's name.
    std::string menuItems(const std::vector<MenuItem>& items) {
        std::vector<std::string> children;
        for (const MenuItem& item : items) {
            children.push_back(item.items.empty() ? "" : menuItems(item.items));
        }
        const std::string name = joined("menuItems", menuArrays_++);
        out_ << "constexpr MenuItemRecord " << name << "[] = {\n";
        for (std::size_t i = 0; i < items.size(); ++i) {
            const MenuItem& item = items[i];
            out_ << "    {" << literal(item.text) << ", " << item.id << ", " << item.separator
                 << ", " << item.grayed << ", " << item.checked << ", " << item.popup << ", "
                 << array(children[i], item.items.size()) << "},\n";
        }
        out_ << "};\n";
        return name;
    }

    void menus(const std::vector<MenuResource>& menus) {
        std::vector<std::string> names;
        for (const MenuResource& menu : menus) {
            names.push_back(menu.items.empty() ? "" : menuItems(menu.items));
        }
        if (menus.empty()) {
            return;
        }
        out_ << "constexpr MenuRecord menus[] = {\n";
        for (std::size_t m = 0; m < menus.size(); ++m) {
            out_ << "    {" << nameRecord(menus[m].name) << ", "
                 << array(names[m], menus[m].items.size()) << "},\n";
        }
        out_ << "};\n\n";
    }

    void icons(const std::vector<IconResource>& icons) {
        for (std::size_t i = 0; i < icons.size(); ++i) {
            out_ << "constexpr unsigned char icon" << i << "Bytes[] = {";
            const std::string& bytes = icons[i].bytes;
            for (std::size_t k = 0; k < bytes.size(); ++k) {
                out_ << (k % 20 == 0 ? "\n    " : " ")
                     << static_cast<int>(static_cast<unsigned char>(bytes[k])) << ',';
            }
            out_ << "\n};\n";
        }
        if (icons.empty()) {
            return;
        }
        out_ << "constexpr IconRecord icons[] = {\n";
        for (std::size_t i = 0; i < icons.size(); ++i) {
            out_ << "    {" << nameRecord(icons[i].name) << ", " << literal(icons[i].fileName)
                 << ", icon" << i << "Bytes, sizeof icon" << i << "Bytes},\n";
        }
        out_ << "};\n\n";
    }

    void strings(const std::vector<StringResource>& strings) {
        if (strings.empty()) {
            return;
        }
        out_ << "constexpr StringRecord strings[] = {\n";
        for (const StringResource& s : strings) {
            out_ << "    {" << s.id << ", " << literal(s.text) << "},\n";
        }
        out_ << "};\n\n";
    }

    std::ostringstream out_;
    int menuArrays_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: quorvel_rc_embed SCRIPT.rc OUTPUT.cpp DEPFILE\n");
        return 2;
    }
    const std::filesystem::path script = std::filesystem::absolute(argv[1]);
    const std::filesystem::path folder = script.parent_path();
    const std::string name = script.filename().string();

    const ScriptReadResult result = readResourceScript(
        name, [&folder](const std::string& path) { return readFile(folder / path); });
    if (!result.script) {
        // Relative to the script's folder; name it in full for the build log.
        std::fprintf(stderr, "%s/%s\n", folder.string().c_str(), result.error.c_str());
        return 1;
    }

    std::ofstream out(argv[2], std::ios::binary);
    out << Writer().source(*result.script, name);
    std::ofstream depfile(argv[3], std::ios::binary);
    depfile << depfileEscaped(argv[2]) << ":";
    for (const std::string& file : result.files) {
        depfile << " " << depfileEscaped((folder / file).lexically_normal().string());
    }
    depfile << "\n";
    return out && depfile ? 0 : 1;
}
