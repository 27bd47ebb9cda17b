// Sent and posted messages, the queue, and the quit message.

#include <string>
#include <vector>

#include "tests/platform/test_dialogs.h"

namespace quorvel::testing {
namespace {

constexpr UINT kInner = WM_USER + 10;
constexpr UINT kPosted = WM_USER + 11;
constexpr UINT kPostThenSend = WM_USER + 12;

using Trace = std::vector<std::string>;

Trace& trace() {
    static Trace log;
    return log;
}

LRESULT CALLBACK tracingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool hasControls = GetDlgItem(window, IDC_TRACE_EDIT) != nullptr;
    switch (message) {
        case kInner:
            trace().push_back("inner");
            return 1;
        case kPosted:
            trace().push_back("posted " + std::to_string(wParam));
            return 0;
        case kPostThenSend: {
            PostMessageA(window, kPosted, 1, 0);
            const LRESULT got = SendMessageA(window, kInner, 0, 0);
            trace().push_back("handler done");
            return got + 1;
        }
        case WM_CREATE: {
            const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
            trace().push_back(hasControls ? "created with controls" : "created");
            trace().push_back(create->hInstance == instance() ? "with the instance"
                                                              : "without the instance");
            return 0;
        }
        case WM_INITDIALOG:
            trace().push_back("initialised");
            return DefDlgProcA(window, message, wParam, lParam);
        case WM_DESTROY:
            trace().push_back(hasControls ? "destroyed before its controls" : "destroyed");
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
        trace().clear();
        window = CreateDialogParamA(instance(), MAKEINTRESOURCEA(IDD_TRACE), nullptr, nullptr, 0);
        ASSERT_NE(window, nullptr);
        created = trace();
        trace().clear();
    }

    void TearDown() override {
        DestroyWindow(window);
        WindowTest::TearDown();
    }

    HWND window = nullptr;
    Trace created;  // what the window heard while it was made
};

TEST_F(MessagesTest, a_window_is_created_before_its_controls_and_destroyed_before_them) {
    EXPECT_EQ(GetWindowLongPtrA(window, GWLP_HINSTANCE), reinterpret_cast<LONG_PTR>(instance()));
    // Without a dialog procedure there is no WM_INITDIALOG.
    EXPECT_EQ(created, (Trace{"created", "with the instance"}));
    ASSERT_TRUE(DestroyWindow(window));
    EXPECT_EQ(trace(), Trace{"destroyed before its controls"});
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(PostMessageA(window, kPosted, 0, 0)) << "a destroyed window takes nothing";
    EXPECT_EQ(SendMessageA(window, kInner, 0, 0), 0);
    EXPECT_FALSE(DestroyWindow(window));
    EXPECT_EQ(trace().size(), 1u);
}

TEST_F(MessagesTest, a_message_sent_by_a_handler_is_handled_at_once_and_a_posted_one_after_it) {
    const MSG message{window, kPostThenSend, 0, 0, 0, {0, 0}};
    EXPECT_EQ(DispatchMessageA(&message), 2) << "the answers of both window procedures";
    EXPECT_EQ(trace(), (Trace{"inner", "handler done"}));
    pumpMessages(window);
    EXPECT_EQ(trace(), (Trace{"inner", "handler done", "posted 1"}));
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
    EXPECT_EQ(trace(), (Trace{"posted 1", "posted 2"}));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 7u);
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
}

}  // namespace
}  // namespace quorvel::testing
