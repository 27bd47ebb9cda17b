// Sent and posted messages, the queue, and the quit message.

#include <string>
#include <vector>

#include "tests/platform/test_dialogs.h"

namespace quorvel::testing {
namespace {

constexpr UINT kOuter = WM_USER + 10;
constexpr UINT kMiddle = WM_USER + 11;
constexpr UINT kInner = WM_USER + 12;
constexpr UINT kPosted = WM_USER + 13;
constexpr UINT kPostThenSend = WM_USER + 14;

std::vector<std::string>& trace() {
    static std::vector<std::string> log;
    return log;
}

// Outer sends middle and middle sends inner; each answers one more than
// what it got back.
LRESULT CALLBACK tracingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kOuter: {
            trace().push_back("outer in");
            const LRESULT got = SendMessageA(window, kMiddle, 0, 0);
            trace().push_back("outer out");
            return got + 1;
        }
        case kMiddle: {
            trace().push_back("middle in");
            const LRESULT got = SendMessageA(window, kInner, 0, 0);
            trace().push_back("middle out");
            return got + 1;
        }
        case kInner:
            trace().push_back("inner");
            return 1;
        case kPosted:
            trace().push_back("posted " + std::to_string(wParam));
            return 0;
        case WM_CREATE: {
            const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            trace().push_back(GetDlgItem(window, IDC_TRACE_EDIT) == nullptr
                                  ? "created without controls"
                                  : "controls too early");
            trace().push_back(create->hInstance == instance() ? "with the instance"
                                                              : "without the instance");
            return 0;
        }
        case WM_INITDIALOG:
            trace().push_back(GetDlgItem(window, IDC_TRACE_EDIT) != nullptr
                                  ? "initialised with controls"
                                  : "initialised without controls");
            return DefDlgProcA(window, message, wParam, lParam);
        case WM_DESTROY:
            trace().push_back(IsWindow(GetDlgItem(window, IDC_TRACE_EDIT))
                                  ? "destroyed before its controls"
                                  : "destroyed after its controls");
            return 0;
        case kPostThenSend:
            PostMessageA(window, kPosted, 1, 0);
            SendMessageA(window, kInner, 0, 0);
            trace().push_back("handler done");
            return 0;
        default:
            return DefDlgProcA(window, message, wParam, lParam);
    }
}

class MessagesTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        static const ATOM registered = [] {
            WNDCLASSA windowClass{};
            windowClass.lpfnWndProc = tracingWindowProc;
            windowClass.cbWndExtra = DLGWINDOWEXTRA;
            windowClass.hInstance = instance();
            windowClass.lpszClassName = "Quorvel Test Trace";
            return RegisterClassA(&windowClass);
        }();
        ASSERT_NE(registered, 0);
        window = CreateDialogParamA(instance(), MAKEINTRESOURCEA(IDD_TRACE), nullptr, nullptr, 0);
        ASSERT_NE(window, nullptr);
        trace().clear();
    }

    void TearDown() override {
        DestroyWindow(window);
        WindowTest::TearDown();
    }

    // Retrieves and dispatches everything queued, as a plain message loop.
    std::vector<UINT> drain() {
        std::vector<UINT> seen;
        MSG message{};
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            seen.push_back(message.message);
            if (message.message != WM_QUIT) {
                DispatchMessageA(&message);
            }
        }
        return seen;
    }

    HWND window = nullptr;
};

TEST_F(MessagesTest, a_handler_may_send_further_messages_which_finish_before_it_goes_on) {
    const MSG message{window, kOuter, 0, 0, 0, {0, 0}};
    EXPECT_EQ(DispatchMessageA(&message), 3) << "what the window procedure returns";
    const std::vector<std::string> expected = {"outer in", "middle in", "inner", "middle out",
                                               "outer out"};
    EXPECT_EQ(trace(), expected);
}

TEST_F(MessagesTest, a_sent_message_is_handled_at_once_and_a_posted_one_after_the_handler) {
    SendMessageA(window, kPostThenSend, 0, 0);
    EXPECT_EQ(trace(), (std::vector<std::string>{"inner", "handler done"}));
    drain();
    EXPECT_EQ(trace(), (std::vector<std::string>{"inner", "handler done", "posted 1"}));
}

TEST_F(MessagesTest, posted_messages_arrive_in_order_and_the_quit_message_after_them_all) {
    PostMessageA(window, kPosted, 1, 0);
    PostQuitMessage(7);
    PostMessageA(window, kPosted, 2, 0);
    MSG message{};
    EXPECT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(message.wParam, 1u);
    while (GetMessageA(&message, nullptr, 0, 0)) {
        DispatchMessageA(&message);
    }
    EXPECT_EQ(trace(), (std::vector<std::string>{"posted 1", "posted 2"}));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 7u);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessagesTest, a_filter_retrieves_only_matching_messages) {
    PostMessageA(nullptr, kInner, 0, 0);
    PostMessageA(window, kPosted, 1, 0);
    MSG message{};
    EXPECT_TRUE(PeekMessageA(&message, nullptr, kPosted, kPosted, PM_REMOVE));
    EXPECT_EQ(message.hwnd, window);
    EXPECT_FALSE(PeekMessageA(&message, window, 0, 0, PM_NOREMOVE))
        << "a thread message has no window";
}

TEST_F(MessagesTest, messages_to_a_destroyed_window_go_nowhere) {
    const HWND gone =
        CreateDialogParamA(instance(), MAKEINTRESOURCEA(IDD_PLAIN), nullptr, nullptr, 0);
    ASSERT_TRUE(DestroyWindow(gone));
    EXPECT_FALSE(IsWindow(gone));
    EXPECT_FALSE(PostMessageA(gone, kPosted, 0, 0));
    EXPECT_EQ(SendMessageA(gone, kInner, 0, 0), 0);
    EXPECT_FALSE(DestroyWindow(gone));
}

TEST_F(MessagesTest, translating_a_key_posts_its_character) {
    const MSG key{window, WM_KEYDOWN, VK_SPACE, 1, 0, {0, 0}};
    EXPECT_TRUE(TranslateMessage(&key));
    MSG message{};
    ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_CHAR));
    EXPECT_EQ(message.wParam, static_cast<WPARAM>(' '));
}

TEST_F(MessagesTest, a_window_is_created_before_its_controls_and_destroyed_before_them) {
    const HWND second =
        CreateDialogParamA(instance(), MAKEINTRESOURCEA(IDD_TRACE), nullptr, nullptr, 0);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(GetWindowLongPtrA(second, GWLP_HINSTANCE), reinterpret_cast<LONG_PTR>(instance()));
    DestroyWindow(second);
    // Without a dialog procedure there is no WM_INITDIALOG.
    const std::vector<std::string> expected = {"created without controls", "with the instance",
                                               "destroyed before its controls"};
    EXPECT_EQ(trace(), expected);
}

}  // namespace
}  // namespace quorvel::testing
