#pragma once

// What the platform tests share: the notifications a dialog received, a
// dialog procedure that records them, and the dialogs of test_dialogs.rc.

#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "platform/win32.h"
#include "tests/platform/test_resource.h"
#include "tests/support/ui_driver.h"

namespace quorvel::testing {

struct Notification {
    int id = 0;
    int code = 0;
    HWND control = nullptr;

    bool operator==(const Notification&) const = default;
};
using Notifications = std::vector<Notification>;

inline std::ostream& operator<<(std::ostream& out, const Notification& n) {
    return out << "{id " << n.id << ", code " << n.code << "}";
}

// WM_COMMAND messages received by recordingDialogProc, oldest first.
inline Notifications& notifications() {
    static Notifications received;
    return received;
}

// Records every WM_COMMAND; OK and Cancel end the dialog with their id.
inline INT_PTR CALLBACK recordingDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_COMMAND) {
        notifications().push_back(
            Notification{LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
        }
    }
    return message == WM_INITDIALOG || message == WM_COMMAND;
}

inline HINSTANCE instance() {
    return GetModuleHandleA(nullptr);
}

// Names each case of a table after its row.
struct RowName {
    template <class Row>
    std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
        return info.param.name;
    }
};

// A test with one dialog of test_dialogs.rc open, modeless and shown.
class DialogTest : public WindowTest {
  protected:
    explicit DialogTest(int templateId = IDD_CONTROLS) : templateId_(templateId) {}

    void SetUp() override {
        WindowTest::SetUp();
        dialog = CreateDialogParamA(instance(), MAKEINTRESOURCEA(templateId_), nullptr,
                                    recordingDialogProc, 0);
        ASSERT_NE(dialog, nullptr);
        ShowWindow(dialog, SW_SHOW);
        pumpMessages(dialog);
        notifications().clear();
    }

    void TearDown() override {
        DestroyWindow(dialog);
        notifications().clear();
        WindowTest::TearDown();
    }

    HWND item(int id) const { return GetDlgItem(dialog, id); }
    UINT checked(int id) const { return IsDlgButtonChecked(dialog, id); }
    std::string text(int id) const {
        char buffer[256] = {};
        GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
        return buffer;
    }
    // The notifications control id sends with these codes, in order.
    Notifications sent(int id, std::initializer_list<int> codes) const {
        Notifications expected;
        for (int code : codes) {
            expected.push_back(Notification{id, code, item(id)});
        }
        return expected;
    }

    // Presses a key and lets the dialog's message loop handle it.
    void press(UINT key, bool shift = false, bool control = false) {
        pressKey(key, shift, control);
        pumpMessages(dialog);
    }

    HWND dialog = nullptr;

  private:
    int templateId_;
};

}  // namespace quorvel::testing
