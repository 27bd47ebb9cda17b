#pragma once

// What a test needs beyond platform/win32.h to drive windows as a user
// would: simulated input, steps run inside a message loop, and answers to
// message boxes. The headless build implements it with the headless view
// (headless_driver.cpp); a Windows build provides the same calls over the
// real API, so that tests written against it run on both.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/win32.h"
#ifndef _WIN32
#include "platform/core/input.h"
#endif

namespace quorvel::testing {

// User input, producing what the platform's control produces: the state
// change, then the notifications. False when the control took no input
// (hidden, disabled, or in a window disabled by a modal dialog). Keys go
// through the message queue to the focus: a message loop (or pumpMessages)
// handles them. The headless view takes input through the platform's own calls.
#ifdef _WIN32
bool click(HWND control);
bool chooseItem(HWND comboBox, int index);
bool typeText(HWND edit, const char* text);
bool chooseMenuItem(HWND window, int commandId);
bool clickCloseBox(HWND window);
bool clickUpDown(HWND upDown, bool up);
void pressKey(UINT virtualKey, bool shift = false, bool control = false);
#else
using platform::input::chooseItem;
using platform::input::chooseMenuItem;
using platform::input::click;
using platform::input::clickCloseBox;
using platform::input::clickUpDown;
using platform::input::pressKey;
using platform::input::typeText;
#endif

// Runs step when the running message loop next waits for input: how a test
// acts inside a modal dialog's loop or a program's main loop. A loop that
// waits with no step left fails the test and is ended with a quit message.
void whenIdle(std::function<void()> step);

// The next message box must show text; it is answered with answer.
void expectMessageBox(const std::string& text, int answer = IDOK);

struct MessageBoxSeen {
    HWND owner = nullptr;
    std::string text;
    std::string caption;
    bool ownerWasEnabled = false;  // while the box was up
};
std::vector<MessageBoxSeen> messageBoxesSeen();

// The clipboard's text (empty when it holds none), and text put on it as
// another program would.
std::string clipboardText();
void setClipboardText(const std::string& text);

// Right-clicks a control and answers the pop-up menu it shows with the item
// whose text, without its '&', is choose (an empty text closes the menu).
// Gives the items as shown: "-" for a separator, a grayed item in brackets
// ("[Cu&t]").
std::vector<std::string> rightClickMenu(HWND control, const std::string& choose);

// The top-level windows still open.
std::vector<HWND> openWindows();

// Handles every queued message the way a dialog's message loop does.
inline void pumpMessages(HWND dialog) {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT || !IsDialogMessageA(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

// Base of every window test: installs the input driver, and afterwards fails
// the test for scripted steps or expected message boxes left unused and for
// windows left open (closing them, so the next test starts clean).
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};

}  // namespace quorvel::testing
