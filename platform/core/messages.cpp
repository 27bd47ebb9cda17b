// Sending, posting and retrieving messages; the default window procedure.

#include <cstdio>

#include "platform/core/state.h"

using namespace quorvel::platform;

namespace {

bool matches(const MSG& message, HWND window, UINT filterMin, UINT filterMax) {
    if (filterMin != 0 || filterMax != 0) {
        if (message.message < filterMin || message.message > filterMax) {
            return false;
        }
    }
    if (window == nullptr) {
        return true;
    }
    if (window == reinterpret_cast<HWND>(-1)) {
        return message.hwnd == nullptr;
    }
    return isSelfOrDescendant(window, message.hwnd);
}

void trackKeys(const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_KEYUP) {
        return;
    }
    if (message.wParam == VK_SHIFT) {
        state().shiftDown = message.message == WM_KEYDOWN;
    } else if (message.wParam == VK_CONTROL) {
        state().controlDown = message.message == WM_KEYDOWN;
    }
}

// The platform's own message for F1, posted behind the key to the window that has it; the
// default window procedure makes it WM_HELP.
constexpr UINT kKeyF1 = 0x004D;

void postHelpKey(const MSG& message) {
    if (message.message == WM_KEYDOWN && message.wParam == VK_F1 && message.hwnd != nullptr) {
        PostMessageA(message.hwnd, kKeyF1, 0, 0);
    }
}

// Posted messages come first, then the quit message, then keyboard input.
bool take(MSG* out, HWND window, UINT filterMin, UINT filterMax, bool remove) {
    State& s = state();
    if (s.sendDepth == 0) {
        s.destroyed.clear();
    }
    for (auto it = s.posted.begin(); it != s.posted.end(); ++it) {
        if (matches(*it, window, filterMin, filterMax)) {
            *out = *it;
            if (remove) {
                s.posted.erase(it);
            }
            return true;
        }
    }
    const bool quitWanted =
        (filterMin == 0 && filterMax == 0) || (filterMin <= WM_QUIT && WM_QUIT <= filterMax);
    if (s.quitPending && quitWanted) {
        *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(s.quitCode), 0, ++s.clock, {0, 0}};
        if (remove) {
            s.quitPending = false;
        }
        return true;
    }
    for (auto it = s.input.begin(); it != s.input.end(); ++it) {
        if (matches(*it, window, filterMin, filterMax)) {
            *out = *it;
            if (remove) {
                s.input.erase(it);
                trackKeys(*out);
                postHelpKey(*out);
            }
            return true;
        }
    }
    return false;
}

char characterOf(WPARAM key, bool shift, bool control) {
    if (control) {
        // Ctrl+A to Ctrl+Z are the characters 1 to 26.
        if (key >= 'A' && key <= 'Z') {
            return static_cast<char>(key - 'A' + 1);
        }
        return key == VK_BACK ? '\x7f' : key == VK_RETURN ? '\n' : 0;
    }
    switch (key) {
        case VK_RETURN:
            return '\r';
        case VK_ESCAPE:
            return '\x1b';
        case VK_TAB:
            return '\t';
        case VK_SPACE:
            return ' ';
        case VK_BACK:
            return '\b';
        default:
            break;
    }
    if (key >= '0' && key <= '9') {
        return static_cast<char>(key);
    }
    if (key >= 'A' && key <= 'Z') {
        return static_cast<char>(shift ? key : key - 'A' + 'a');
    }
    return 0;
}

}  // namespace

LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* w = find(window);
    if (w == nullptr || w->procedure == nullptr) {
        return 0;
    }
    const WNDPROC procedure = w->procedure;
    State& s = state();
    ++s.sendDepth;
    const LRESULT result = procedure(window, message, wParam, lParam);
    --s.sendDepth;
    return result;
}

BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window != nullptr && find(window) == nullptr) {
        return FALSE;
    }
    State& s = state();
    s.posted.push_back(MSG{window, message, wParam, lParam, ++s.clock, {0, 0}});
    return TRUE;
}

BOOL WINAPI GetMessageA(LPMSG message, HWND window, UINT filterMin, UINT filterMax) {
    if (message == nullptr ||
        (window != nullptr && window != reinterpret_cast<HWND>(-1) && find(window) == nullptr)) {
        return -1;
    }
    while (!take(message, window, filterMin, filterMax, true)) {
        if (View* view = state().view; view != nullptr) {
            view->waitForInput();
        } else {
            // Nothing could ever arrive: end the loop rather than wait forever.
            std::fprintf(stderr,
                         "GetMessageA: the queue is empty and there is no view to wait on\n");
            PostQuitMessage(0);
        }
    }
    return message->message == WM_QUIT ? FALSE : TRUE;
}

BOOL WINAPI PeekMessageA(LPMSG message, HWND window, UINT filterMin, UINT filterMax,
                         UINT removeMessage) {
    if (message == nullptr) {
        return FALSE;
    }
    const bool remove = (removeMessage & PM_REMOVE) != 0;
    if (take(message, window, filterMin, filterMax, remove)) {
        return TRUE;
    }
    if (View* view = state().view; view != nullptr) {
        view->pollInput();
    }
    return take(message, window, filterMin, filterMax, remove) ? TRUE : FALSE;
}

// Only the two modifier keys are tracked: the high bit says held down.
SHORT WINAPI GetKeyState(int virtualKey) {
    const bool down = (virtualKey == VK_SHIFT && state().shiftDown) ||
                      (virtualKey == VK_CONTROL && state().controlDown);
    return static_cast<SHORT>(down ? 0x8000 : 0);
}

BOOL WINAPI TranslateMessage(const MSG* message) {
    if (message == nullptr || message->message != WM_KEYDOWN) {
        return FALSE;
    }
    const char c = characterOf(message->wParam, state().shiftDown, state().controlDown);
    if (c == 0) {
        return FALSE;
    }
    PostMessageA(message->hwnd, WM_CHAR, static_cast<unsigned char>(c), message->lParam);
    return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG* message) {
    if (message == nullptr || message->hwnd == nullptr) {
        return 0;
    }
    return SendMessageA(message->hwnd, message->message, message->wParam, message->lParam);
}

void WINAPI PostQuitMessage(int exitCode) {
    State& s = state();
    s.quitPending = true;
    s.quitCode = exitCode;
}

LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* w = find(window);
    if (w == nullptr) {
        return 0;
    }
    switch (message) {
        case WM_SETTEXT: {
            const char* text = reinterpret_cast<const char*>(lParam);
            w->text = text != nullptr ? text : "";
            notify(window, Change::Text);
            return TRUE;
        }
        case WM_GETTEXT:
            return copyText(w->text, wParam, lParam);
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(w->text.size());
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case kKeyF1: {
            HELPINFO help{};
            help.cbSize = sizeof help;
            help.iContextType = HELPINFO_WINDOW;
            help.iCtrlId = w->id;
            help.hItemHandle = window;
            SendMessageA(window, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
            return 0;
        }
        case WM_HELP:
            // A control passes it on to its dialog.
            if ((w->style & WS_CHILD) != 0 && w->parent != nullptr) {
                return SendMessageA(w->parent, WM_HELP, wParam, lParam);
            }
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE) {
                SendMessageA(window, WM_CLOSE, 0, 0);
            }
            return 0;
        default:
            return 0;
    }
}
