#include "tests/ui/main_window.h"

#include "resources/resource.h"
#include "ui/app_shell.h"

namespace quorvel::testing {

HINSTANCE programInstance() { return GetModuleHandleA(nullptr); }

void runQueuedMessages(HWND dialog) {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessageA(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

void DialogDriver::click(int id) const { SendDlgItemMessageA(window, id, BM_CLICK, 0, 0); }

void DialogDriver::choose(int listId, int position) const {
    SendDlgItemMessageA(window, listId, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(listId, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(control(listId)));
}

void DialogDriver::choose(int listId, const char* text) const {
    const LRESULT position = SendDlgItemMessageA(window, listId, CB_FINDSTRING,
                                                 static_cast<WPARAM>(-1),
                                                 reinterpret_cast<LPARAM>(text));
    ASSERT_NE(position, CB_ERR) << "no item \"" << text << "\" in list " << listId;
    choose(listId, static_cast<int>(position));
}

std::string DialogDriver::text(int id) const {
    char buffer[128] = {};
    const UINT length = GetDlgItemTextA(window, id, buffer, sizeof buffer);
    return std::string(buffer, length);
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
    if (position == CB_ERR) {
        return "(none)";
    }
    return items(listId).at(static_cast<std::size_t>(position));
}

LRESULT DialogDriver::textLimit(int editId) const {
    return SendDlgItemMessageA(window, editId, EM_GETLIMITTEXT, 0, 0);
}

void MainWindow::SetUp() {
    // The class lives until the process ends, as in the program.
    static const ATOM registered = registerMainClass(programInstance());
    ASSERT_NE(registered, 0);
    window = createMainDialog(programInstance());
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOW);
    runQueuedMessages(window);
    takeMessageBoxTexts();
}

void MainWindow::TearDown() {
    if (IsWindow(window)) {
        DestroyWindow(window);
    }
    runQueuedMessages(window);
    EXPECT_TRUE(takeMessageBoxTexts().empty());
}

void MainWindow::settle() const { click(IDC_SETTLE); }

::testing::AssertionResult MainWindow::shows(const std::string& totalStake,
                                             const std::string& returns) const {
    const std::string shownStake = text(IDC_TOTAL_STAKE);
    const std::string shownReturns = text(IDC_RETURNS);
    if (shownStake == totalStake && shownReturns == returns) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "shows total stake \"" << shownStake
                                         << "\" and returns \"" << shownReturns << "\"";
}

DialogDriver MainWindow::openModeless(int templateId, DLGPROC procedure, LPARAM parameter) const {
    DialogDriver dialog;
    dialog.window = CreateDialogParamA(programInstance(), MAKEINTRESOURCEA(templateId), window,
                                       procedure, parameter);
    EXPECT_NE(dialog.window, nullptr);
    ShowWindow(dialog.window, SW_SHOW);
    return dialog;
}

}  // namespace quorvel::testing
