// Help > Contents and F1 open the user's guide through the Windows shell, with a stand-in
// browser registered for .html files for the user. F1 itself becomes WM_HELP in the system's
// keyboard handling, which the test's posted keys do not pass through: the test sends WM_HELP
// as the system does.

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/ui/main_window.h"

namespace quorvel::testing {
namespace {

namespace fs = std::filesystem;

constexpr const wchar_t* kClasses = L"Software\\Classes\\";
constexpr const wchar_t* kFileType = L"QuorvelTestGuidePage";

bool setDefault(HKEY root, const std::wstring& key, const std::wstring& value) {
    HKEY handle = nullptr;
    if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const LONG status =
        RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

std::wstring defaultOf(HKEY root, const std::wstring& key) {
    wchar_t value[256] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(root, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS) {
        return {};
    }
    return value;
}

class HelpOnWindows : public MainWindow {
  protected:
    void SetUp() override {
        MainWindow::SetUp();
        wchar_t self[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        const fs::path folder = fs::path(self).parent_path();
        record_ = fs::temp_directory_path() / "quorvel-help-opened.txt";
        fs::remove(record_);
        SetEnvironmentVariableW(L"QUORVEL_TEST_OPENED", record_.wstring().c_str());
        const std::wstring command =
            L"\"" + (folder / "quorvel_stand_in_browser.exe").wstring() + L"\" \"%1\"";
        const std::wstring verb = std::wstring(kFileType) + L"\\shell\\open\\command";
        // The user's own file types come first on Windows; Wine reads only the machine's, so
        // there they are set too and the old one is put back afterwards.
        ASSERT_TRUE(setDefault(HKEY_CURRENT_USER, kClasses + std::wstring(L".html"), kFileType));
        ASSERT_TRUE(setDefault(HKEY_CURRENT_USER, kClasses + verb, command));
        if (defaultOf(HKEY_CLASSES_ROOT, L".html") != kFileType) {
            machineHtml_ = defaultOf(HKEY_CLASSES_ROOT, L".html");
            changedMachine_ = true;
            ASSERT_TRUE(setDefault(HKEY_CLASSES_ROOT, L".html", kFileType));
            ASSERT_TRUE(setDefault(HKEY_CLASSES_ROOT, verb, command));
        }
        guideFolder_ = fs::weakly_canonical(folder / ".." / "doc");
    }
    void TearDown() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(kClasses) + kFileType).c_str());
        RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(kClasses) + L".html").c_str());
        if (changedMachine_) {
            RegDeleteTreeW(HKEY_CLASSES_ROOT, kFileType);
            setDefault(HKEY_CLASSES_ROOT, L".html", machineHtml_);
        }
        MainWindow::TearDown();
    }

    // The file the stand-in browser was asked to open, once it has said.
    fs::path opened() const {
        std::string line;
        for (int i = 0; i < 200 && line.empty(); ++i) {
            std::ifstream file(record_);
            std::getline(file, line);
            if (line.empty()) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        }
        fs::remove(record_);
        return line.empty() ? fs::path() : fs::weakly_canonical(fs::path(line));
    }

    fs::path record_, guideFolder_;
    std::wstring machineHtml_;
    bool changedMachine_ = false;
};

TEST_F(HelpOnWindows, contents_and_f1_open_the_guide_through_the_shell) {
    ASSERT_TRUE(fs::exists(guideFolder_ / "guide.html")) << "the build makes the guide";
    EXPECT_TRUE(chooseMenuItem(window, ID_HELP_CONTENTS));
    pumpMessages(window);
    EXPECT_EQ(opened(), guideFolder_ / "guide.html");

    whenIdle([] {
        HELPINFO help{};
        help.cbSize = sizeof help;
        help.iContextType = HELPINFO_WINDOW;
        SendMessageA(GetParent(GetFocus()), WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
        pressKey(VK_ESCAPE);
    });
    EXPECT_TRUE(chooseMenuItem(window, ID_OPTIONS_PREFERENCES));
    pumpMessages(window);
    EXPECT_EQ(opened(), guideFolder_ / "guide-preferences.html");
    EXPECT_TRUE(messageBoxesSeen().empty());
}

}  // namespace
}  // namespace quorvel::testing
