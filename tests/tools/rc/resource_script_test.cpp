// The resource-script reader: what it makes of each statement, and the file
// and line it names for what it cannot read.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tools/rc/resource_script.h"

namespace quorvel::testing {
using namespace rc;
namespace {

using platform::ControlTemplate;

using Files = std::map<std::string, std::string>;

const std::string kIcon("\0\0\1\0\1\0rest of the icon", 22);

const auto rowName = [](const auto& row) { return std::string(row.param.name); };

ScriptReadResult readScript(const Files& files) {
    return readResourceScript(
        "app.rc", [&files](const std::string& path) -> std::optional<std::string> {
            const auto found = files.find(path);
            return found == files.end() ? std::nullopt : std::optional(found->second);
        });
}

// A script as a resource compiler takes it, with the platform's names.
ResourceScript readClean(const std::string& script, Files files = {}) {
    files["app.rc"] = "#include <windows.h>\n" + script;
    ScriptReadResult result = readScript(files);
    EXPECT_TRUE(result.script.has_value()) << result.error;
    return result.script.value_or(ResourceScript{});
}

TEST(resource_script, dialog_takes_its_options_and_controls_in_order) {
    const ResourceScript script = readClean(
        R"(
#include "ids.h"
IDD_MAIN DIALOGEX 0, 0, 290, 270
STYLE DS_CENTER | WS_POPUP | WS_SYSMENU
CAPTION "Main \xA3"
CLASS "Main Class"
FONT 8, "MS Sans Serif", 400, 0, 0x1
BEGIN
    EDITTEXT IDC_RETURNS, 215, 236, 60, 12
    CONTROL "", 1005, "msctls_updown32", UDS_SETBUDDYINT, 1, 2, 3, 4
END
)",
        {{"ids.h", "#pragma once\n#define IDD_MAIN 102\n#define IDC_RETURNS (1000 + 13)\n"}});
    ASSERT_EQ(script.dialogs.size(), 1u);
    const DialogTemplate& d = script.dialogs[0];
    EXPECT_EQ(d.name.number, 102);
    EXPECT_TRUE(d.extended);
    EXPECT_EQ(d.rect.cx, 290);
    EXPECT_EQ(d.style,
              static_cast<DWORD>(DS_CENTER | WS_POPUP | WS_SYSMENU | WS_CAPTION | DS_SETFONT))
        << "a caption and a font add their styles";
    EXPECT_EQ(d.caption, "Main \xA3");
    EXPECT_EQ(d.className, "Main Class");
    EXPECT_EQ(d.fontName, "MS Sans Serif");
    EXPECT_EQ(d.fontPointSize, 8);
    ASSERT_EQ(d.controls.size(), 2u);
    EXPECT_EQ(d.controls[0].id, 1013);
    EXPECT_EQ(d.controls[1].className, "msctls_updown32");
    EXPECT_EQ(d.controls[1].rect.cy, 4);
}

struct DefaultCase {
    const char* name;
    const char* statement;
    const char* className;
    DWORD style;
    friend void PrintTo(const DefaultCase& row, std::ostream* out) { *out << row.name; }
};

const DefaultCase kDefaults[] = {
    {"ltext_is_a_left_static_starting_a_group", "LTEXT \"a\", -1, 1, 2, 3, 4", "Static",
     SS_LEFT | WS_GROUP},
    {"pushbutton_is_a_tab_stop", "PUSHBUTTON \"a\", 1, 1, 2, 3, 4", "Button",
     BS_PUSHBUTTON | WS_TABSTOP},
    {"groupbox_is_no_tab_stop", "GROUPBOX \"a\", -1, 1, 2, 3, 4", "Button", BS_GROUPBOX},
    {"edittext_has_a_border", "EDITTEXT 1, 1, 2, 3, 4", "Edit", ES_LEFT | WS_BORDER | WS_TABSTOP},
    {"not_clears_a_default_style", "EDITTEXT 1, 1, 2, 3, 4, ES_READONLY | NOT WS_BORDER", "Edit",
     ES_LEFT | WS_TABSTOP | ES_READONLY},
    {"combobox_style_adds_to_the_tab_stop", "COMBOBOX 1, 1, 2, 3, 4, CBS_DROPDOWNLIST", "ComboBox",
     CBS_DROPDOWNLIST | WS_TABSTOP},
    {"icon_needs_no_size", "ICON 101, -1, 7, 95", "Static", SS_ICON},
    {"control_takes_its_style_as_given",
     "CONTROL \"a\", 1, \"Button\", BS_AUTOCHECKBOX, 1, 2, 3, 4", "Button", BS_AUTOCHECKBOX},
};

class ControlDefaults : public ::testing::TestWithParam<DefaultCase> {};

TEST_P(ControlDefaults, statement_gives_its_class_and_default_style) {
    const DefaultCase& c = GetParam();
    const ResourceScript script =
        readClean(std::string("1 DIALOG 0, 0, 10, 10\nBEGIN\n    ") + c.statement + "\nEND\n");
    ASSERT_EQ(script.dialogs.size(), 1u);
    ASSERT_EQ(script.dialogs[0].controls.size(), 1u);
    const ControlTemplate& control = script.dialogs[0].controls[0];
    EXPECT_EQ(control.className, c.className);
    EXPECT_EQ(control.style, c.style | static_cast<DWORD>(WS_CHILD | WS_VISIBLE));
}

INSTANTIATE_TEST_SUITE_P(controls, ControlDefaults, ::testing::ValuesIn(kDefaults), rowName);

TEST(resource_script, utf8_texts_become_windows_1252_and_the_editors_header_names_the_static_id) {
    const ResourceScript script = readClean(
        "#include <winres.h>\n#pragma code_page(65001)\n1 DIALOG 0, 0, 1, 1\n"
        "CAPTION \"\xC2\xA3 5 \xE2\x82\xAC \xE4\xB8\x80\"\n"
        "BEGIN\n  LTEXT \"a\", IDC_STATIC, 1, 2, 3, 4\nEND\n");
    ASSERT_EQ(script.dialogs.size(), 1u);
    EXPECT_EQ(script.dialogs[0].caption, "\xA3 5 \x80 ?");
    ASSERT_EQ(script.dialogs[0].controls.size(), 1u);
    EXPECT_EQ(script.dialogs[0].controls[0].id, -1);
}

TEST(resource_script, reads_the_icon_file_beside_it_and_lists_every_file_it_read) {
    Files files = {{"app.rc", "#include \"a.h\"\nIDI_APP ICON \"art/i.ico\"\n"},
                   {"a.h", "#define X 1\n"},
                   {"art/i.ico", kIcon}};
    const ScriptReadResult result = readScript(files);
    EXPECT_EQ(result.files, (std::vector<std::string>{"app.rc", "a.h", "art/i.ico"}));
    ASSERT_TRUE(result.script.has_value()) << result.error;
    ASSERT_EQ(result.script->icons.size(), 1u);
    EXPECT_EQ(result.script->icons[0].name.text, "IDI_APP")
        << "an undefined name names the resource by text";
    EXPECT_EQ(result.script->icons[0].bytes, kIcon);
}

struct ErrorCase {
    const char* name;
    const char* script;
    const char* error;
    friend void PrintTo(const ErrorCase& row, std::ostream* out) { *out << row.name; }
};

const ErrorCase kErrors[] = {
    {"unknown_style_name",
     "#include <windows.h>\n1 DIALOG 0, 0, 1, 1\nSTYLE WS_POPUP | WS_WOBBLY\nBEGIN\nEND\n",
     "app.rc:3: unknown name WS_WOBBLY"},
    {"platform_name_without_the_platform_header",
     "1 DIALOG 0, 0, 1, 1\nSTYLE WS_POPUP\nBEGIN\nEND\n",
     "app.rc:2: unknown name WS_POPUP (the script does not include <windows.h>)"},
    {"unknown_control_statement", "1 DIALOG 0, 0, 1, 1\nBEGIN\n  SLIDER 1, 2, 3, 4, 5\nEND\n",
     "app.rc:3: unknown control statement 'SLIDER'"},
    {"unterminated_string", "1 DIALOG 0, 0, 1, 1\nCAPTION \"open\nBEGIN\nEND\n",
     "app.rc:2: string without its closing quote"},
    {"missing_end", "1 DIALOG 0, 0, 1, 1\nBEGIN\n  EDITTEXT 1, 2, 3, 4, 5\n",
     "app.rc:3: the script ends too early"},
    {"missing_include", "\n#include \"gone.h\"\n",
     "app.rc:2: cannot find the included file \"gone.h\""},
    {"error_in_an_included_file_names_that_file", "#include \"bad.h\"\n",
     "bad.h:2: unknown directive #defin"},
    {"missing_icon_file", "1 ICON \"gone.ico\"\n",
     "app.rc:1: cannot find the icon file \"gone.ico\""},
    {"dialog_defined_twice", "1 DIALOG 0,0,1,1\nBEGIN\nEND\n1 DIALOG 0,0,1,1\nBEGIN\nEND\n",
     "app.rc:4: dialog 1 is defined twice"},
    {"if_without_endif", "#if 1\n", "app.rc: #if without its #endif"},
    {"macro_with_arguments", "#define F(x) x\n1 DIALOG F(1), 0, 1, 1\nBEGIN\nEND\n",
     "app.rc:2: macro F takes arguments"},
};

class ScriptErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ScriptErrors, name_the_file_and_line) {
    const ErrorCase& c = GetParam();
    const Files files = {{"app.rc", c.script}, {"bad.h", "// ok\n#defin X 1\n"}};
    const ScriptReadResult result = readScript(files);
    EXPECT_FALSE(result.script.has_value());
    EXPECT_EQ(result.error.rfind(c.error, 0), 0u) << result.error;
}

INSTANTIATE_TEST_SUITE_P(scripts, ScriptErrors, ::testing::ValuesIn(kErrors), rowName);

}  // namespace
}  // namespace quorvel::testing
