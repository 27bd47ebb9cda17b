#include "tests/ui/main_window.h"

#include "resources/resource.h"
#include "ui/app_shell.h"

namespace quorvel::testing {

void DialogDriver::choose(int listId, const char* text) const {
    const LRESULT position = SendDlgItemMessageA(
        window, listId, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    ASSERT_NE(position, CB_ERR) << "no item \"" << text << "\" in list " << listId;
    SendDlgItemMessageA(window, listId, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(listId, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, listId)));
}

std::string DialogDriver::text(int id) const {
    char buffer[128] = {};
    return std::string(buffer, GetDlgItemTextA(window, id, buffer, sizeof buffer));
}

std::vector<std::string> DialogDriver::items(int listId) const {
    std::vector<std::string> texts;
    const LRESULT count = SendDlgItemMessageA(window, listId, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char buffer[128] = {};
        SendDlgItemMessageA(window, listId, CB_GETLBTEXT, static_cast<WPARAM>(i),
                            reinterpret_cast<LPARAM>(buffer));
        texts.emplace_back(buffer);
    }
    return texts;
}

std::string DialogDriver::currentItem(int listId) const {
    const LRESULT position = SendDlgItemMessageA(window, listId, CB_GETCURSEL, 0, 0);
    return position == CB_ERR ? "(none)" : items(listId).at(static_cast<std::size_t>(position));
}

void MainWindow::SetUp() {
    WindowTest::SetUp();
    // The class lives until the process ends, as in the program.
    static const ATOM registered = registerMainClass(GetModuleHandleA(nullptr));
    ASSERT_NE(registered, 0);
    window = createMainDialog(GetModuleHandleA(nullptr));
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOW);
    pumpMessages(window);
}

void MainWindow::TearDown() {
    // The dialogs the test opened go with the main window that owns them.
    if (IsWindow(window)) {
        DestroyWindow(window);
    }
    WindowTest::TearDown();
}

void MainWindow::settle() const {
    click(IDC_SETTLE);
}

::testing::AssertionResult MainWindow::shows(const std::string& totalStake,
                                             const std::string& returns) const {
    if (text(IDC_TOTAL_STAKE) == totalStake && text(IDC_RETURNS) == returns) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "shows total stake \"" << text(IDC_TOTAL_STAKE)
                                         << "\" and returns \"" << text(IDC_RETURNS) << "\"";
}

DialogDriver MainWindow::openModeless(int templateId, DLGPROC procedure, LPARAM parameter) const {
    DialogDriver dialog{CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId),
                                           window, procedure, parameter)};
    EXPECT_NE(dialog.window, nullptr);
    ShowWindow(dialog.window, SW_SHOW);
    return dialog;
}

}  // namespace quorvel::testing
