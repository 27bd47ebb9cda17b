#pragma once

// Works the program's windows only through the Windows API calls a user's
// input produces, so that these tests can also run against the real API.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32.h"
#include "tests/support/ui_driver.h"

namespace quorvel::testing {

// "£" and the amount, as the program shows money.
inline std::string pounds(const char* amount) {
    return std::string("\xA3") + amount;
}

struct DialogDriver {
    HWND window = nullptr;

    // BM_CLICK: a click on a push button, check box or radio button.
    void click(int id) const { SendDlgItemMessageA(window, id, BM_CLICK, 0, 0); }
    // The user picks the first item that begins with `text`; the list tells its parent.
    void choose(int listId, const char* text) const;
    void type(int editId, const char* text) const { SetDlgItemTextA(window, editId, text); }
    std::string text(int id) const;
    std::string currentItem(int listId) const;
    std::vector<std::string> items(int listId) const;
    bool enabled(int id) const { return IsWindowEnabled(GetDlgItem(window, id)) != FALSE; }
    bool checked(int id) const { return IsDlgButtonChecked(window, id) == BST_CHECKED; }
    LRESULT textLimit(int id) const {
        return SendDlgItemMessageA(window, id, EM_GETLIMITTEXT, 0, 0);
    }
    // EndDialog hides the dialog it ends.
    bool ended() const { return IsWindowVisible(window) == FALSE; }
};

// A fresh main window for each test, as at program start.
class MainWindow : public WindowTest, public DialogDriver {
  protected:
    void SetUp() override;
    void TearDown() override;
    void settle() const;
    ::testing::AssertionResult shows(const std::string& totalStake,
                                     const std::string& returns) const;

    // A modal dialog of the main window, created modeless from its template
    // with its own dialog procedure, so that the test can work it.
    DialogDriver openModeless(int templateId, DLGPROC procedure, LPARAM parameter = 0) const;
};

}  // namespace quorvel::testing
