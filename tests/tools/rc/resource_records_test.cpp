// The records the build compiles a script into give back, at run time,
// exactly what the reader reads from the script.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/core/resources.h"
#include "tests/platform/test_resource.h"
#include "tools/rc/resource_script.h"

namespace quorvel::testing {
using namespace platform;
namespace {

using rc::readResourceScript;
using rc::ResourceScript;
using rc::ScriptReadResult;

ResourceScript readTestScript() {
    const std::filesystem::path folder = QUORVEL_TEST_SCRIPT_DIR;
    const ScriptReadResult result = readResourceScript(
        "test_dialogs.rc", [&folder](const std::string& path) -> std::optional<std::string> {
            std::ifstream in(folder / path, std::ios::binary);
            if (!in) {
                return std::nullopt;
            }
            std::ostringstream bytes;
            bytes << in.rdbuf();
            return bytes.str();
        });
    EXPECT_TRUE(result.script.has_value()) << result.error;
    return result.script.value_or(ResourceScript{});
}

TEST(resource_records, every_dialog_is_built_in_as_read) {
    const ResourceScript script = readTestScript();
    ASSERT_EQ(script.dialogs.size(), 6u);
    for (const DialogTemplate& read : script.dialogs) {
        SCOPED_TRACE(read.name.describe());
        const DialogTemplate* built = findDialogTemplate(MAKEINTRESOURCEA(read.name.number));
        ASSERT_NE(built, nullptr);
        ASSERT_EQ(built->controls.size(), read.controls.size());
        for (std::size_t i = 0; i < read.controls.size(); ++i) {
            EXPECT_TRUE(built->controls[i] == read.controls[i]) << "control " << i;
        }
        EXPECT_TRUE(*built == read) << "the dialog's own fields";
    }
}

TEST(resource_records, menus_icons_and_strings_are_built_in_as_read) {
    const ResourceScript script = readTestScript();
    ASSERT_EQ(script.menus.size(), 1u);
    const MenuResource* menu = findMenu(MAKEINTRESOURCEA(IDR_TEST_MENU));
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->items == script.menus[0].items);

    ASSERT_EQ(script.icons.size(), 1u);
    const IconResource* icon = findIcon(MAKEINTRESOURCEA(IDI_TEST));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->bytes, script.icons[0].bytes) << "every byte, zeros too";
    static_assert(IDI_TEST == 201);
    EXPECT_EQ(icon, findIcon("#201")) << "made once, whichever way it is named";

    ASSERT_EQ(script.strings.size(), 2u);
    for (const StringResource& read : script.strings) {
        ASSERT_NE(findString(read.id), nullptr) << read.id;
        EXPECT_EQ(std::string(findString(read.id)), read.text);
    }
    EXPECT_EQ(std::string(findString(IDS_POUNDS)),
              "\xA3"
              "5");
    EXPECT_EQ(std::string(findString(IDS_PATH)), "C:\\slips\tnew");
}

TEST(resource_records, names_not_in_the_script_find_nothing) {
    EXPECT_EQ(findDialogTemplate(MAKEINTRESOURCEA(9999)), nullptr);
    EXPECT_EQ(findDialogTemplate("IDD_CONTROLS"), nullptr) << "named by number, not by text";
    EXPECT_NE(findDialogTemplate("#220"), nullptr) << "a number given as text";
    EXPECT_EQ(findMenu(nullptr), nullptr);
    EXPECT_EQ(findString(9999), nullptr);
}

}  // namespace
}  // namespace quorvel::testing
