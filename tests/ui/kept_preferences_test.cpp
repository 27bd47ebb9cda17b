// Preferences kept between runs when "Keep these preferences" is ticked, and
// read back at the next start, whatever has become of what was kept.

#include <cstring>
#include <string>

#include "tests/support/scratch_config.h"
#include "tests/ui/preferences_test_support.h"
#include "ui/app_shell.h"
#include "ui/preferences_dialog.h"

#ifndef _WIN32
#include "platform/core/accessible_names.h"

#include <filesystem>
#include <fstream>
#endif

namespace quorvel::testing {
namespace {

constexpr const char* kKey = "Software\\Quorvel";

bool anythingKept() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

void removeKept() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
}

class KeptPreferences : public PreferencesWindow {
  protected:
    void SetUp() override {
        scratchConfigFolder();
        removeKept();
        PreferencesWindow::SetUp();
    }
    void TearDown() override {
        PreferencesWindow::TearDown();
        removeKept();
    }

    // Sets the values and the "Keep" tick in a new dialog and presses "OK".
    void submit(const Values& values, bool keep) const {
        const DialogDriver dialog = open();
        for (std::size_t i = 0; i < values.size(); ++i) {
            dialog.type(kBoxes[i], values[i].c_str());
        }
        if (dialog.checked(IDC_KEEP_PREFERENCES) != keep) {
            dialog.click(IDC_KEEP_PREFERENCES);
        }
        dialog.click(IDOK);
        EXPECT_TRUE(dialog.ended());
    }
    // The program closed and started again.
    void restart() {
        DestroyWindow(window);
        pumpMessages(window);
        window = createMainDialog(GetModuleHandleA(nullptr));
        ASSERT_NE(window, nullptr);
        ShowWindow(window, SW_SHOW);
        pumpMessages(window);
    }
};

TEST_F(KeptPreferences, kept_values_and_the_tick_come_back_at_the_next_start) {
    const DialogDriver first = open();
    EXPECT_FALSE(first.checked(IDC_KEEP_PREFERENCES));
    first.click(IDCANCEL);
    submit({"0", "3", "25", "1", "0", "3", "30"}, true);
    restart();
    const DialogDriver reopened = open();
    EXPECT_EQ(shown(reopened), (Values{"0", "3", "25", "1", "0", "3", "30"}));
    EXPECT_TRUE(reopened.checked(IDC_KEEP_PREFERENCES));
    reopened.click(IDCANCEL);
    // They settle: no tax is added to a 100p single.
    choose(IDC_RESULT_1, "Won");
    type(IDC_STAKE, "100");
    settle();
    EXPECT_TRUE(shows("1.00", "2.00"));
}

TEST_F(KeptPreferences, keep_is_named_for_screen_readers_and_tabbed_to_just_before_ok) {
    const DialogDriver dialog = open();
    const HWND keep = GetDlgItem(dialog.window, IDC_KEEP_PREFERENCES);
#ifndef _WIN32
    EXPECT_EQ(platform::accessibleNames(dialog.window)[keep].name, "Keep these preferences");
#endif
    SetFocus(GetDlgItem(dialog.window, IDC_L63_BONUS));
    pressKey(VK_TAB);
    pumpMessages(dialog.window);
    EXPECT_EQ(GetFocus(), keep);
    pressKey(VK_TAB);
    pumpMessages(dialog.window);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog.window, IDOK));
    dialog.click(IDCANCEL);
}

TEST_F(KeptPreferences, ok_unticked_removes_everything_and_cancel_changes_nothing) {
    submit({"0"}, true);
    // Cancel after unticking keeps what was kept.
    const DialogDriver cancelled = open();
    cancelled.click(IDC_KEEP_PREFERENCES);
    cancelled.click(IDCANCEL);
    EXPECT_TRUE(anythingKept());
    submit({"5"}, false);
    EXPECT_FALSE(anythingKept());
    // The values stay in use for this run, and the next starts from the start values.
    EXPECT_EQ(open().text(IDC_TAX_RATE), "5");
    restart();
    const DialogDriver reopened = open();
    EXPECT_EQ(shown(reopened), kStartValues);
    EXPECT_FALSE(reopened.checked(IDC_KEEP_PREFERENCES));
    // Cancel with the box ticked keeps nothing.
    reopened.click(IDC_KEEP_PREFERENCES);
    reopened.click(IDCANCEL);
    EXPECT_FALSE(anythingKept());
    // OK unticked with nothing kept is no failure: no message.
    submit({}, false);
#ifndef _WIN32
    EXPECT_FALSE(std::filesystem::exists(scratchConfigFolder() + "/quorvel"));
#endif
}

TEST_F(KeptPreferences, a_value_out_of_range_keeps_nothing) {
    const DialogDriver dialog = open();
    dialog.type(IDC_L31_BONUS, "31");
    dialog.click(IDC_KEEP_PREFERENCES);
    expectMessageBox("Invalid L31 Bonus odds");
    dialog.click(IDOK);
    EXPECT_FALSE(dialog.ended());
    EXPECT_FALSE(anythingKept());
    dialog.click(IDCANCEL);
}

// Writes a value as another program (or an older or newer one) might have.
void store(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

void storeNumber(const char* name, DWORD number) {
    store(name, REG_DWORD, &number, sizeof number);
}

TEST_F(KeptPreferences, each_unusable_value_starts_from_its_start_value_and_the_rest_load) {
    const std::string huge(100000, '\x9c');
    const char binary[] = {'\0', '\xff', '7', '\n'};
    const DWORD minusOne = 0xffffffffu;
    store("taxRate", REG_SZ, "5", 2);                // a number as text
    storeNumber("lucky15Consolation", 4);            // above its range
    store("lucky15Bonus", REG_DWORD, &minusOne, 4);  // below its range
    store("lucky31Consolation", REG_BINARY, binary, sizeof binary);
    store("lucky31Bonus", REG_SZ, huge.data(), static_cast<DWORD>(huge.size()));
    storeNumber("lucky63Consolation", 3);           // the one good value
    store("lucky63Bonus", REG_DWORD, "\x14\0", 2);  // too short for a number
    storeNumber("keep", 7);                         // not a tick
    restart();
    // Nothing is said at start: an unexpected message box would fail the test.
    const DialogDriver dialog = open();
    EXPECT_EQ(shown(dialog), (Values{"9", "2", "10", "2", "10", "3", "10"}));
    EXPECT_FALSE(dialog.checked(IDC_KEEP_PREFERENCES));
    dialog.click(IDCANCEL);
    // The limits of each range load.
    const int limits[][7] = {{0, 1, 0, 1, 0, 1, 0}, {20, 3, 30, 3, 30, 3, 30}};
    const char* names[] = {
        "taxRate",      "lucky15Consolation", "lucky15Bonus", "lucky31Consolation",
        "lucky31Bonus", "lucky63Consolation", "lucky63Bonus"};
    for (const auto& limit : limits) {
        for (int i = 0; i < 7; ++i) {
            storeNumber(names[i], static_cast<DWORD>(limit[i]));
        }
        restart();
        Values expected;
        for (int value : limit) {
            expected.push_back(std::to_string(value));
        }
        const DialogDriver reopened = open();
        EXPECT_EQ(shown(reopened), expected);
        reopened.click(IDCANCEL);
    }
}

#ifndef _WIN32
// What the platform keeps on Linux: one file, in the folder XDG_CONFIG_HOME names.
class KeptFile : public KeptPreferences {
  protected:
    std::string folder() const { return scratchConfigFolder() + "/quorvel"; }
    std::string file() const { return folder() + "/registry"; }
    void SetUp() override {
        KeptPreferences::SetUp();
        std::filesystem::remove_all(folder());
    }
    void TearDown() override {
        KeptPreferences::TearDown();
        std::filesystem::remove_all(folder());
    }
};

TEST_F(KeptFile, a_folder_in_the_files_place_loads_nothing_and_cannot_be_removed) {
    std::filesystem::create_directories(file());
    restart();  // says nothing
    const DialogDriver dialog = open();
    EXPECT_EQ(shown(dialog), kStartValues);
    dialog.click(IDCANCEL);
    expectMessageBox(
        "The preferences kept before could not be removed, so the next start may use them "
        "again. These are used until Quorvel closes.");
    submit({"3"}, false);
    EXPECT_TRUE(std::filesystem::is_directory(file()));
    EXPECT_EQ(open().text(IDC_TAX_RATE), "3");
}

TEST_F(KeptFile, preferences_that_cannot_be_kept_are_used_and_the_user_is_told) {
    // A file where the folder should be: nothing can be written under it.
    std::ofstream(folder()) << "not a folder";
    const DialogDriver dialog = open();
    dialog.type(IDC_TAX_RATE, "0");
    dialog.click(IDC_KEEP_PREFERENCES);
    expectMessageBox(
        "These preferences could not be kept for the next start. They are used until Quorvel "
        "closes.");
    dialog.click(IDOK);
    EXPECT_EQ(messageBoxesSeen().back().owner, dialog.window);
    EXPECT_TRUE(dialog.ended());
    const DialogDriver reopened = open();
    EXPECT_EQ(reopened.text(IDC_TAX_RATE), "0");
    EXPECT_TRUE(reopened.checked(IDC_KEEP_PREFERENCES));
    reopened.click(IDCANCEL);
    std::filesystem::remove(folder());
}
#endif

}  // namespace
}  // namespace quorvel::testing
