#pragma once

// Drives the program's windows only through the Windows API calls a user's
// input produces, so that these tests can also run against the real API.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32.h"

namespace quorvel::testing {

HINSTANCE programInstance();

// Runs every queued message as the program's message loop would.
void runQueuedMessages(HWND dialog);

// Texts of the message boxes shown since the last call.
std::vector<std::string> takeMessageBoxTexts();

// Controls of any dialog, worked as the user works them.
class DialogDriver {
public:
    HWND window = nullptr;

    HWND control(int id) const { return GetDlgItem(window, id); }
    // BM_CLICK: a click on a push button, check box or radio button.
    void click(int id) const;
    // The user picks the list's item at `position`; the list tells its parent.
    void choose(int listId, int position) const;
    // The user picks the first item that begins with `text`.
    void choose(int listId, const char* text) const;
    void type(int editId, const char* text) const { SetDlgItemTextA(window, editId, text); }
    std::string text(int id) const;
    std::string currentItem(int listId) const;
    std::vector<std::string> items(int listId) const;
    bool enabled(int id) const { return IsWindowEnabled(control(id)) != FALSE; }
    bool checked(int id) const { return IsDlgButtonChecked(window, id) == BST_CHECKED; }
    LRESULT textLimit(int editId) const;
};

// A fresh main window for each test, initialised as at program start.
class MainWindow : public ::testing::Test, public DialogDriver {
protected:
    void SetUp() override;
    void TearDown() override;

    void settle() const;
    // "Total stake" and "Returns" as shown.
    ::testing::AssertionResult shows(const std::string& totalStake,
                                     const std::string& returns) const;

    // A modal dialog of the main window, created modeless from its template
    // with its own dialog procedure, so that the test can work it.
    DialogDriver openModeless(int templateId, DLGPROC procedure, LPARAM parameter) const;
    // EndDialog hides the dialog it ends.
    static bool ended(const DialogDriver& dialog) { return IsWindowVisible(dialog.window) == FALSE; }
};

}  // namespace quorvel::testing
