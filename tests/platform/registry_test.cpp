// The registry calls, as the program uses them: values of each type kept and
// read back, keys removed with everything below them, and two users of one
// key (two windows) seeing each other's last change.

#include <gtest/gtest.h>

#include <string>

#include "platform/win32.h"
#include "tests/support/scratch_config.h"

namespace quorvel::testing {
namespace {

constexpr const char* kKey = "Software\\QuorvelTest";

class Registry : public ::testing::Test {
  protected:
    void SetUp() override {
        scratchConfigFolder();
        RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
    }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kKey); }

    static HKEY create(const char* subKey = kKey, DWORD* disposition = nullptr) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_READ | KEY_WRITE, nullptr, &key, disposition),
                  ERROR_SUCCESS);
        return key;
    }
    static LSTATUS open(const char* subKey, HKEY& key) {
        return RegOpenKeyExA(HKEY_CURRENT_USER, subKey, 0, KEY_READ, &key);
    }
    static void set(HKEY key, const char* name, DWORD type, const std::string& data) {
        EXPECT_EQ(RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                 static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
    }
    // The value's type and bytes, or the error as "error N".
    static std::string get(HKEY key, const char* name, DWORD* type = nullptr) {
        char buffer[256] = {};
        DWORD size = sizeof buffer;
        const LSTATUS status =
            RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<LPBYTE>(buffer), &size);
        if (status != ERROR_SUCCESS) {
            return "error " + std::to_string(status);
        }
        return std::string(buffer, size);
    }
};

TEST_F(Registry, values_of_every_type_are_kept_byte_for_byte_and_names_ignore_case) {
    DWORD disposition = 0;
    HKEY key = create(kKey, &disposition);
    EXPECT_EQ(disposition, DWORD{REG_CREATED_NEW_KEY});
    set(key, "Number", REG_DWORD, std::string("\x14\0\0\x80", 4));
    set(key, "Text", REG_SZ, std::string("Evens\0", 6));
    set(key, "Bytes", REG_BINARY, std::string("\0\n\r=\xff\"[]", 8));
    set(key, "Empty", REG_BINARY, "");
    set(key, "", REG_SZ, std::string("default\0", 8));
    set(key, "number", REG_DWORD, std::string("\x15\0\0\0", 4));  // the same value
    RegCloseKey(key);

    RegCloseKey(create(kKey, &disposition));
    EXPECT_EQ(disposition, DWORD{REG_OPENED_EXISTING_KEY});
    ASSERT_EQ(open(kKey, key), ERROR_SUCCESS);
    DWORD type = REG_NONE;
    EXPECT_EQ(get(key, "NUMBER", &type), std::string("\x15\0\0\0", 4));
    EXPECT_EQ(type, DWORD{REG_DWORD});
    EXPECT_EQ(get(key, "Text", &type), std::string("Evens\0", 6));
    EXPECT_EQ(type, DWORD{REG_SZ});
    EXPECT_EQ(get(key, "Bytes", &type), std::string("\0\n\r=\xff\"[]", 8));
    EXPECT_EQ(type, DWORD{REG_BINARY});
    EXPECT_EQ(get(key, "Empty"), "");
    EXPECT_EQ(get(key, ""), std::string("default\0", 8));
    EXPECT_EQ(get(key, "Missing"), "error " + std::to_string(ERROR_FILE_NOT_FOUND));

    // Too small a buffer: the size needed, and nothing else.
    char small[2] = {'?', '?'};
    DWORD size = sizeof small;
    EXPECT_EQ(
        RegQueryValueExA(key, "Bytes", nullptr, nullptr, reinterpret_cast<LPBYTE>(small), &size),
        ERROR_MORE_DATA);
    EXPECT_EQ(size, 8u);
    size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "Text", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 6u);
    RegCloseKey(key);
}

TEST_F(Registry, deleting_a_tree_removes_its_subkeys_and_leaves_its_siblings) {
    HKEY key = create("Software\\QuorvelTest\\Shop\\Till 1");
    set(key, "Tax", REG_DWORD, std::string(4, '\0'));
    RegCloseKey(key);
    RegCloseKey(create("Software\\QuorvelTest\\Other"));

    EXPECT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\QuorvelTest\\shop"), ERROR_SUCCESS);
    EXPECT_EQ(open("Software\\QuorvelTest\\Shop\\Till 1", key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(open("Software\\QuorvelTest\\Shop", key), ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(open("Software\\QuorvelTest\\Other", key), ERROR_SUCCESS);
    RegCloseKey(key);

    EXPECT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, kKey), ERROR_SUCCESS);
    EXPECT_EQ(open(kKey, key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, kKey), ERROR_FILE_NOT_FOUND);
}

TEST_F(Registry, two_users_of_one_key_see_each_others_last_change) {
    HKEY first = create();
    HKEY second = create();
    set(first, "Tax", REG_DWORD, std::string("\x05\0\0\0", 4));
    set(second, "Bonus", REG_DWORD, std::string("\x0c\0\0\0", 4));
    set(second, "Tax", REG_DWORD, std::string("\x07\0\0\0", 4));
    EXPECT_EQ(get(first, "Tax"), std::string("\x07\0\0\0", 4));
    EXPECT_EQ(get(first, "Bonus"), std::string("\x0c\0\0\0", 4));
    // One removes the key while the other has it open: nothing is left to read.
    EXPECT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, kKey), ERROR_SUCCESS);
    EXPECT_EQ(get(first, "Bonus").substr(0, 6), "error ");
    RegCloseKey(first);
    RegCloseKey(second);
}

}  // namespace
}  // namespace quorvel::testing
