// The test driver over the real Windows API. Input goes to the real controls
// as the messages a mouse or keyboard produces; scripted steps run from a
// timer, whose message a loop receives only when it has nothing else to do;
// message boxes are read and answered from a CBT hook as they become active.

#include <algorithm>
#include <cctype>
#include <deque>
#include <map>
#include <set>
#include <string>

#include "tests/support/ui_driver.h"

namespace quorvel::testing {
namespace {

// How long a loop may wait with no step left before the test fails (ms).
constexpr UINT kStuckAfter = 1000;
constexpr UINT kIdleTick = USER_TIMER_MINIMUM;
// A message box's text control has this id.
constexpr int kMessageBoxTextId = 0xFFFF;

struct ExpectedBox {
    std::string text;
    int answer = IDOK;
};

struct Driver {
    std::deque<std::function<void()>> steps;
    std::deque<ExpectedBox> expectedBoxes;
    std::vector<MessageBoxSeen> boxesSeen;
    HHOOK cbtHook = nullptr;
    HHOOK messageHook = nullptr;
    UINT_PTR idleTimer = 0;
    bool quiet = false;
    std::set<HWND> answered;
    std::map<HWND, long> created;  // creation order of the windows made during the test
    long creations = 0;
};

Driver& driver() {
    static Driver instance;
    return instance;
}

std::string className(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string windowText(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

LONG_PTR style(HWND window) {
    return GetWindowLongPtrA(window, GWL_STYLE);
}

// What a user can click: visible, and neither it nor any window it sits in is
// disabled (a modal dialog disables its owner).
bool takesInput(HWND window) {
    if (IsWindow(window) == FALSE || IsWindowVisible(window) == FALSE) {
        return false;
    }
    for (HWND w = window; w != nullptr; w = (style(w) & WS_CHILD) != 0 ? GetParent(w) : nullptr) {
        if (IsWindowEnabled(w) == FALSE) {
            return false;
        }
    }
    return true;
}

void leftClickAt(HWND window, int x, int y) {
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// Focus into an edit box by a click leaves the caret at the end of its text.
void focusEdit(HWND edit) {
    if (GetFocus() != edit) {
        SetFocus(edit);
        const LPARAM end = GetWindowTextLengthA(edit);
        SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(end), end);
    }
}

// A message box has just become active: record it and press the answer.
void answerMessageBox(HWND box) {
    Driver& d = driver();
    const HWND owner = GetWindow(box, GW_OWNER);
    MessageBoxSeen seen{owner, windowText(GetDlgItem(box, kMessageBoxTextId)), windowText(box),
                        owner != nullptr && IsWindowEnabled(owner) != FALSE};
    int answer = IDOK;
    if (d.expectedBoxes.empty()) {
        ADD_FAILURE() << "unexpected message box \"" << seen.text << "\"";
        answer = GetDlgItem(box, IDOK) != nullptr ? IDOK : IDCANCEL;
    } else {
        const ExpectedBox expected = d.expectedBoxes.front();
        d.expectedBoxes.pop_front();
        EXPECT_EQ(seen.text, expected.text) << "the message box shows other text";
        answer = expected.answer;
    }
    d.boxesSeen.push_back(seen);
    HWND button = GetDlgItem(box, answer);
    if (button == nullptr) {
        ADD_FAILURE() << "the message box has no button " << answer;
        PostMessageA(box, WM_CLOSE, 0, 0);
        return;
    }
    PostMessageA(button, BM_CLICK, 0, 0);
}

// A message box is a dialog whose procedure is the system's own.
bool isMessageBox(HWND window) {
    if (className(window) != "#32770") {
        return false;
    }
    const auto procedure = reinterpret_cast<LPCSTR>(GetWindowLongPtrW(window, DWLP_DLGPROC));
    HMODULE module = nullptr;
    return procedure != nullptr &&
           GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                  GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              procedure, &module) != FALSE &&
           module == GetModuleHandleA("user32.dll");
}

LRESULT CALLBACK cbtHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const auto window = reinterpret_cast<HWND>(wParam);
        driver().created[window] = driver().creations++;
    }
    if (code == HCBT_ACTIVATE) {
        const auto window = reinterpret_cast<HWND>(wParam);
        // A box that loses and regains activation is answered once.
        if (isMessageBox(window) && driver().answered.insert(window).second) {
            answerMessageBox(window);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A timer message arrives only when a loop's queue holds nothing else. A loop
// has gone idle, as one waiting for input, when two ticks come in a row with
// no other message between them; that is when the next step runs. With no step
// left the timer ticks slowly, and its tick then means a loop has waited that
// long for input that will never come.
void CALLBACK idleTick(HWND, UINT, UINT_PTR, DWORD);

void setIdleTimer(UINT period) {
    Driver& d = driver();
    d.idleTimer = SetTimer(nullptr, d.idleTimer, period, idleTick);
}

void CALLBACK idleTick(HWND, UINT, UINT_PTR, DWORD) {
    Driver& d = driver();
    if (d.steps.empty()) {
        ADD_FAILURE() << "the message loop is waiting for input, but the test has no next step";
        PostQuitMessage(-1);
        return;
    }
    if (!d.quiet) {
        d.quiet = true;  // set back by any other message the loop takes
        return;
    }
    std::function<void()> step = std::move(d.steps.front());
    d.steps.pop_front();
    d.quiet = false;
    if (d.steps.empty()) {
        setIdleTimer(kStuckAfter);
    }
    step();
}

// Keys are posted, so the thread's key state would not see them; the shift
// and control keys' state follows its messages as they are taken from the queue, as it
// does for keys typed on a keyboard.
LRESULT CALLBACK getMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    Driver& d = driver();
    if (code == HC_ACTION && wParam == PM_REMOVE &&
        !(message->message == WM_TIMER && message->wParam == d.idleTimer)) {
        d.quiet = false;
        if (d.steps.empty()) {
            setIdleTimer(kStuckAfter);  // a loop that takes messages is not stuck
        }
    }
    if (code == HC_ACTION && wParam == PM_REMOVE &&
        (message->wParam == VK_SHIFT || message->wParam == VK_CONTROL) &&
        (message->message == WM_KEYDOWN || message->message == WM_KEYUP)) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[message->wParam] = message->message == WM_KEYDOWN ? 0x80 : 0;
        SetKeyboardState(keys);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void postKey(UINT message, UINT virtualKey) {
    HWND target = GetFocus() != nullptr ? GetFocus() : GetActiveWindow();
    if (target == nullptr) {
        return;
    }
    const auto scanCode = static_cast<LPARAM>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    LPARAM flags = 1 | (scanCode << 16);
    if (message == WM_KEYUP) {
        flags |= static_cast<LPARAM>(0xC0000000u);
    }
    PostMessageA(target, message, virtualKey, flags);
}

}  // namespace

bool click(HWND control) {
    if (!takesInput(control)) {
        return false;
    }
    const std::string kind = className(control);
    if (kind == "Button") {
        if ((style(control) & BS_TYPEMASK) == BS_GROUPBOX) {
            return false;  // clicks pass through a group box
        }
        SendMessageA(control, BM_CLICK, 0, 0);
        return true;
    }
    if (kind == "Edit") {
        focusEdit(control);
        return true;
    }
    if (kind == "ComboBox") {
        SetFocus(control);
        const bool dropped = SendMessageA(control, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
        SendMessageA(control, CB_SHOWDROPDOWN, dropped ? FALSE : TRUE, 0);
        return true;
    }
    return false;
}

bool chooseItem(HWND comboBox, int index) {
    if (className(comboBox) != "ComboBox" || !takesInput(comboBox) || index < 0 ||
        index >= SendMessageA(comboBox, CB_GETCOUNT, 0, 0)) {
        return false;
    }
    // Open the list, then click the item in it.
    SetFocus(comboBox);
    SendMessageA(comboBox, CB_SHOWDROPDOWN, TRUE, 0);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(comboBox, &info) == FALSE || info.hwndList == nullptr) {
        return false;
    }
    SendMessageA(info.hwndList, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    RECT item{};
    SendMessageA(info.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
    leftClickAt(info.hwndList, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
    return true;
}

bool typeText(HWND edit, const char* text) {
    if (className(edit) != "Edit" || !click(edit)) {
        return false;
    }
    for (const char* c = text; *c != '\0'; ++c) {
        if (GetFocus() != edit) {
            break;  // a handler moved the focus away
        }
        SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(*c), 1);
    }
    return true;
}

bool chooseMenuItem(HWND window, int commandId) {
    HMENU menu = IsWindow(window) != FALSE ? GetMenu(window) : nullptr;
    if (menu == nullptr || !takesInput(window)) {
        return false;
    }
    const UINT state = GetMenuState(menu, static_cast<UINT>(commandId), MF_BYCOMMAND);
    if (state == static_cast<UINT>(-1) || (state & (MF_GRAYED | MF_DISABLED | MF_POPUP)) != 0) {
        return false;
    }
    return PostMessageA(window, WM_COMMAND, MAKEWPARAM(commandId, 0), 0) != FALSE;
}

bool clickCloseBox(HWND window) {
    const LONG_PTR needed = WS_CAPTION | WS_SYSMENU;
    if (!takesInput(window) || (style(window) & WS_CHILD) != 0 ||
        (style(window) & needed) != needed) {
        return false;
    }
    SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return true;
}

bool clickUpDown(HWND upDown, bool up) {
    if (className(upDown) != UPDOWN_CLASSA || !takesInput(upDown)) {
        return false;
    }
    RECT area{};
    GetClientRect(upDown, &area);
    const int x = area.right / 2;
    leftClickAt(upDown, x, up ? area.bottom / 4 : area.bottom * 3 / 4);
    return true;
}

void pressKey(UINT virtualKey, bool shift, bool control) {
    if (control) {
        postKey(WM_KEYDOWN, VK_CONTROL);
    }
    if (shift) {
        postKey(WM_KEYDOWN, VK_SHIFT);
    }
    postKey(WM_KEYDOWN, virtualKey);
    postKey(WM_KEYUP, virtualKey);
    if (shift) {
        postKey(WM_KEYUP, VK_SHIFT);
    }
    if (control) {
        postKey(WM_KEYUP, VK_CONTROL);
    }
}

std::string clipboardText() {
    std::string text;
    if (OpenClipboard(nullptr) == FALSE) {
        ADD_FAILURE() << "the clipboard could not be opened";
        return text;
    }
    if (HANDLE data = GetClipboardData(CF_TEXT); data != nullptr) {
        if (const auto* bytes = static_cast<const char*>(GlobalLock(data)); bytes != nullptr) {
            text = bytes;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void setClipboardText(const std::string& text) {
    if (OpenClipboard(nullptr) == FALSE) {
        ADD_FAILURE() << "the clipboard could not be opened";
        return;
    }
    EmptyClipboard();
    if (HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1); data != nullptr) {
        std::copy_n(text.c_str(), text.size() + 1, static_cast<char*>(GlobalLock(data)));
        GlobalUnlock(data);
        SetClipboardData(CF_TEXT, data);
    }
    CloseClipboard();
}

std::vector<std::string> rightClickMenu(HWND control, const std::string& choose) {
    std::vector<std::string> shown;
    // The menu runs its own loop, which still hands out the driver's timer:
    // the step reads the open menu and presses the chosen item's letter, or
    // closes the menu.
    whenIdle([&shown, choose] {
        const HWND popup = FindWindowA("#32768", nullptr);
        const auto menu = popup == nullptr
                              ? nullptr
                              : reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
        if (menu == nullptr) {
            ADD_FAILURE() << "no pop-up menu is open";
            return;
        }
        UINT letter = 0;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
            char text[128] = {};
            GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            std::string item = text;
            if ((state & MF_SEPARATOR) != 0) {
                shown.push_back("-");
                continue;
            }
            shown.push_back((state & (MF_GRAYED | MF_DISABLED)) != 0 ? "[" + item + "]" : item);
            const std::size_t mark = item.find('&');
            std::string plain = item;
            plain.erase(std::remove(plain.begin(), plain.end(), '&'), plain.end());
            if (!choose.empty() && plain == choose && mark != std::string::npos) {
                letter =
                    static_cast<UINT>(std::toupper(static_cast<unsigned char>(item[mark + 1])));
            }
        }
        if (letter != 0) {
            PostMessageA(GetFocus(), WM_KEYDOWN, letter, 1);
        } else {
            EndMenu();
        }
    });
    SendMessageA(control, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control), MAKELPARAM(-1, -1));
    return shown;
}

void whenIdle(std::function<void()> step) {
    Driver& d = driver();
    d.steps.push_back(std::move(step));
    setIdleTimer(kIdleTick);
}

void expectMessageBox(const std::string& text, int answer) {
    driver().expectedBoxes.push_back(ExpectedBox{text, answer});
}

std::vector<MessageBoxSeen> messageBoxesSeen() {
    return driver().boxesSeen;
}

std::vector<HWND> openWindows() {
    std::vector<HWND> windows;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM list) {
            // The system's own windows of the thread (input method, list
            // parts of drop-down lists) are not the test's.
            const std::string kind = className(window);
            if (kind != "IME" && kind != "ComboLBox" && kind != "MSCTFIME UI") {
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    // Oldest first: those made before the test, bottom of the stack first,
    // then the test's own in the order they were made.
    std::reverse(windows.begin(), windows.end());
    const auto& created = driver().created;
    const auto order = [&created](HWND window) {
        const auto found = created.find(window);
        return found == created.end() ? -1L : found->second;
    };
    std::stable_sort(windows.begin(), windows.end(),
                     [&order](HWND a, HWND b) { return order(a) < order(b); });
    return windows;
}

void WindowTest::SetUp() {
    Driver& d = driver();
    d = Driver{};
    d.cbtHook = SetWindowsHookExA(WH_CBT, cbtHook, nullptr, GetCurrentThreadId());
    d.messageHook = SetWindowsHookExA(WH_GETMESSAGE, getMessageHook, nullptr, GetCurrentThreadId());
    setIdleTimer(kStuckAfter);
    ASSERT_NE(d.cbtHook, nullptr);
    ASSERT_NE(d.messageHook, nullptr);
}

void WindowTest::TearDown() {
    Driver& d = driver();
    EXPECT_EQ(d.steps.size(), 0u) << "scripted steps were never run";
    EXPECT_EQ(d.expectedBoxes.size(), 0u) << "expected message boxes never appeared";
    const std::vector<HWND> left = openWindows();
    EXPECT_TRUE(left.empty()) << left.size() << " window(s) left open";
    for (HWND window : left) {
        DestroyWindow(window);
    }
    KillTimer(nullptr, d.idleTimer);
    UnhookWindowsHookEx(d.cbtHook);
    UnhookWindowsHookEx(d.messageHook);
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    BYTE keys[256] = {};
    SetKeyboardState(keys);
    d = Driver{};
}

}  // namespace quorvel::testing
