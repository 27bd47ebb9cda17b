// The records the build compiles a script into give back, at run time,
// exactly what the reader reads from the script.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/core/resources.h"
#include "tests/platform/test_resource.h"

namespace quorvel::platform {
namespace {

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

::testing::AssertionResult sameName(const ResourceName& a, const ResourceName& b) {
    if (a.number == b.number && a.text == b.text) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << a.describe() << " against " << b.describe();
}

void expectSameRect(const Rect& a, const Rect& b) {
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
    EXPECT_EQ(a.cx, b.cx);
    EXPECT_EQ(a.cy, b.cy);
}

void expectSameItems(const std::vector<MenuItem>& built, const std::vector<MenuItem>& read) {
    ASSERT_EQ(built.size(), read.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        SCOPED_TRACE(read[i].text);
        EXPECT_EQ(built[i].text, read[i].text);
        EXPECT_EQ(built[i].id, read[i].id);
        EXPECT_EQ(built[i].separator, read[i].separator);
        EXPECT_EQ(built[i].grayed, read[i].grayed);
        EXPECT_EQ(built[i].checked, read[i].checked);
        EXPECT_EQ(built[i].popup, read[i].popup);
        expectSameItems(built[i].items, read[i].items);
    }
}

TEST(resource_records, every_dialog_is_built_in_as_read) {
    const ResourceScript script = readTestScript();
    ASSERT_EQ(script.dialogs.size(), 5u);
    for (const DialogTemplate& read : script.dialogs) {
        SCOPED_TRACE(read.name.describe());
        const DialogTemplate* built = findDialogTemplate(MAKEINTRESOURCEA(read.name.number));
        ASSERT_NE(built, nullptr);
        EXPECT_TRUE(sameName(built->name, read.name));
        EXPECT_EQ(built->extended, read.extended);
        expectSameRect(built->rect, read.rect);
        EXPECT_EQ(built->style, read.style);
        EXPECT_EQ(built->exStyle, read.exStyle);
        EXPECT_EQ(built->caption, read.caption);
        EXPECT_EQ(built->className, read.className);
        EXPECT_EQ(built->menu.has_value(), read.menu.has_value());
        EXPECT_EQ(built->fontName, read.fontName);
        EXPECT_EQ(built->fontPointSize, read.fontPointSize);
        ASSERT_EQ(built->controls.size(), read.controls.size());
        for (std::size_t i = 0; i < read.controls.size(); ++i) {
            const ControlTemplate& b = built->controls[i];
            const ControlTemplate& r = read.controls[i];
            SCOPED_TRACE("control " + std::to_string(i));
            EXPECT_EQ(b.className, r.className);
            EXPECT_EQ(b.text, r.text);
            ASSERT_EQ(b.image.has_value(), r.image.has_value());
            if (r.image) {
                EXPECT_TRUE(sameName(*b.image, *r.image));
            }
            EXPECT_EQ(b.id, r.id);
            expectSameRect(b.rect, r.rect);
            EXPECT_EQ(b.style, r.style);
            EXPECT_EQ(b.exStyle, r.exStyle);
        }
    }
}

TEST(resource_records, menus_icons_and_strings_are_built_in_as_read) {
    const ResourceScript script = readTestScript();
    ASSERT_EQ(script.menus.size(), 1u);
    const MenuResource* menu = findMenu(MAKEINTRESOURCEA(IDR_TEST_MENU));
    ASSERT_NE(menu, nullptr);
    expectSameItems(menu->items, script.menus[0].items);

    ASSERT_EQ(script.icons.size(), 1u);
    const IconResource* icon = findIcon(MAKEINTRESOURCEA(IDI_TEST));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->bytes, script.icons[0].bytes) << "every byte, zeros too";
    EXPECT_EQ(icon, findIcon(script.icons[0].name)) << "made once, whichever way it is named";

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
}  // namespace quorvel::platform
