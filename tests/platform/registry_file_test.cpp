// Where and how the registry calls keep their one file, and what they make of
// anything found in its place.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/win32.h"
#include "tests/support/scratch_config.h"

namespace quorvel::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* kKey = "Software\\QuorvelTest";

class RegistryFile : public ::testing::Test {
  protected:
    void SetUp() override {
        scratchConfigFolder();
        fs::remove_all(folder());
    }
    void TearDown() override {
        scratchConfigFolder();  // a test may have pointed it elsewhere
        fs::permissions(folder(), fs::perms::owner_all, fs::perm_options::add, ignoredError());
        fs::remove_all(folder());
    }
    static std::error_code& ignoredError() {
        static std::error_code error;
        return error;
    }
    static std::string folder() { return scratchConfigFolder() + "/quorveltest"; }
    static std::string file() { return folder() + "/registry"; }
    static std::string contents() {
        std::string text(fs::file_size(file()), '\0');
        std::ifstream(file(), std::ios::binary).read(text.data(), static_cast<long>(text.size()));
        return text;
    }
    static void replaceFile(const std::string& text) {
        fs::create_directories(folder());
        std::ofstream(file(), std::ios::binary | std::ios::trunc) << text;
    }
    static LSTATUS set(const char* name, const std::string& data, DWORD type = REG_BINARY) {
        HKEY key = nullptr;
        LSTATUS status = RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                                         &key, nullptr);
        if (status == ERROR_SUCCESS) {
            status = RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                    static_cast<DWORD>(data.size()));
            RegCloseKey(key);
        }
        return status;
    }
    // The value's bytes, or "missing" when it cannot be read.
    static std::string get(const char* name) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return "missing";
        }
        char buffer[64] = {};
        DWORD size = sizeof buffer;
        const LSTATUS status =
            RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer), &size);
        RegCloseKey(key);
        return status == ERROR_SUCCESS ? std::string(buffer, size) : "missing";
    }
    static std::vector<std::string> folderEntries() {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder())) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }
};

TEST_F(RegistryFile, is_kept_under_xdg_config_home_else_under_home_config_for_its_user_only) {
    ASSERT_EQ(set("a", "1"), ERROR_SUCCESS);
    EXPECT_EQ(fs::status(folder()).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(fs::status(file()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    const std::string home = scratchConfigFolder() + "/home";
    const std::string savedHome = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
    ::setenv("HOME", home.c_str(), 1);
    for (const char* config : {"relative/config", ""}) {
        ::setenv("XDG_CONFIG_HOME", config, 1);
        EXPECT_EQ(get("a"), "missing") << config;
    }
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(set("b", "2"), ERROR_SUCCESS);
    EXPECT_TRUE(fs::is_regular_file(home + "/.config/quorveltest/registry"));
    ::setenv("HOME", savedHome.c_str(), 1);
    scratchConfigFolder();
    EXPECT_EQ(get("a"), "1");
    EXPECT_EQ(get("b"), "missing");
}

TEST_F(RegistryFile, nothing_is_kept_outside_a_programs_own_key_or_folder) {
    HKEY key = nullptr;
    for (const char* subKey : {"Software", "Other\\Quorvel", "Software\\..", "Software\\.hidden",
                               "Software\\a/b", "Software\\..\\..\\..\\tmp", ""}) {
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, subKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                                  &key, nullptr),
                  ERROR_ACCESS_DENIED)
            << subKey;
        EXPECT_EQ(key, nullptr);
    }
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\QuorvelTest\\line\nbreak", 0, nullptr,
                              0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(fs::exists(folder()));
    EXPECT_EQ(set("a\"b", "1"), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(set("tab\there", "1"), ERROR_INVALID_PARAMETER);
    // A closed handle is refused, not used.
    ASSERT_EQ(set("a", "1"), ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegSetValueExA(key, "a", 0, REG_DWORD, nullptr, 0), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryFile, every_cut_short_copy_reads_each_value_whole_or_not_at_all) {
    const std::string values[] = {std::string("\x09\0\0\0", 4), "ab,cd", std::string(40, '\xff')};
    ASSERT_EQ(set("one", values[0], REG_DWORD), ERROR_SUCCESS);
    ASSERT_EQ(set("two", values[1], REG_SZ), ERROR_SUCCESS);
    ASSERT_EQ(set("three", values[2]), ERROR_SUCCESS);
    const std::string whole = contents();
    for (std::size_t length = 0; length <= whole.size(); ++length) {
        replaceFile(whole.substr(0, length));
        const char* names[] = {"one", "two", "three"};
        for (int i = 0; i < 3; ++i) {
            const std::string got = get(names[i]);
            EXPECT_TRUE(got == "missing" || got == values[i]) << length << " " << names[i];
        }
    }
    EXPECT_EQ(get("three"), values[2]);
}

TEST_F(RegistryFile, what_is_not_a_readable_file_gives_nothing_and_holds_nothing_up) {
    ASSERT_EQ(set("a", "1"), ERROR_SUCCESS);
    const std::string good = contents();

    // Larger than the program ever writes: not read, and replaced by the next change.
    replaceFile(good + std::string((1 << 20) + 1, ';'));
    EXPECT_EQ(get("a"), "missing");
    ASSERT_EQ(set("b", "2"), ERROR_SUCCESS);
    EXPECT_EQ(get("b"), "2");
    EXPECT_LT(fs::file_size(file()), 1000u);

    // A pipe is never waited on.
    fs::remove(file());
    ASSERT_EQ(::mkfifo(file().c_str(), 0600), 0);
    EXPECT_EQ(get("b"), "missing");

    // A folder in the file's place: nothing read, nothing written, and it stays.
    fs::remove(file());
    fs::create_directories(file() + "/inside");
    EXPECT_EQ(get("b"), "missing");
    EXPECT_EQ(set("b", "3"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, kKey), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(fs::is_directory(file() + "/inside"));
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"registry"});
}

TEST_F(RegistryFile, a_write_the_disk_refuses_leaves_the_kept_file_as_it_was) {
    ASSERT_EQ(set("a", "kept"), ERROR_SUCCESS);
    const std::string before = contents();
    // A child process that may write no file longer than 100 bytes: as a full disk to it.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{100, 100};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(set("b", std::string(200, 'x')) == ERROR_DISK_FULL ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(contents(), before);
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"registry"});

    if (::geteuid() != 0) {  // the superuser writes into a read-only folder all the same
        fs::permissions(folder(), fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(set("b", "2"), ERROR_ACCESS_DENIED);
        EXPECT_EQ(get("a"), "kept");
    }
}

TEST_F(RegistryFile, writers_in_two_processes_at_once_lose_none_of_each_others_changes) {
    constexpr int kWrites = 25;
    pid_t children[2] = {};
    for (int c = 0; c < 2; ++c) {
        children[c] = ::fork();
        ASSERT_GE(children[c], 0);
        if (children[c] == 0) {
            const char* own = c == 0 ? "first" : "second";
            bool ok = true;
            for (int i = 1; i <= kWrites; ++i) {
                ok = ok && set(own, std::to_string(i)) == ERROR_SUCCESS &&
                     set("last", own) == ERROR_SUCCESS;
            }
            ::_exit(ok ? 0 : 1);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(get("first"), std::to_string(kWrites));
    EXPECT_EQ(get("second"), std::to_string(kWrites));
    EXPECT_TRUE(get("last") == "first" || get("last") == "second");
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"registry"});
}

TEST_F(RegistryFile, removing_the_key_takes_the_file_and_leaves_only_what_others_put_there) {
    ASSERT_EQ(set("a", "1"), ERROR_SUCCESS);
    // What a writer stopped half way would leave.
    std::ofstream(folder() + "/registry.new-Ab12Cd") << "[Software\\QuorvelTest]\n";
    EXPECT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, kKey), ERROR_SUCCESS);
    EXPECT_FALSE(fs::exists(folder()));

    ASSERT_EQ(set("a", "1"), ERROR_SUCCESS);
    std::ofstream(folder() + "/notes.txt") << "the user's own";
    EXPECT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, kKey), ERROR_SUCCESS);
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"notes.txt"});
}

}  // namespace
}  // namespace quorvel::testing
