// Where windows are and how big: what a program reads and sets to lay out a
// dialog that can be sized, in the dialog's own measure (pixels on Windows,
// dialog units in the stand-in) so that the same checks hold on both.

#include <vector>

#include "tests/platform/test_dialogs.h"

namespace quorvel::testing {
namespace {

struct Limits {
    POINT smallest{};  // window sizes; 0 leaves the platform's own
    POINT largest{};
};
Limits limits;
std::vector<POINT> sizesReported;  // WM_SIZE's client sizes, oldest first

INT_PTR CALLBACK sizableDialogProc(HWND, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            if (limits.smallest.x > 0) {
                info->ptMinTrackSize = limits.smallest;
            }
            if (limits.largest.x > 0) {
                info->ptMaxTrackSize = limits.largest;
            }
            return TRUE;
        }
        case WM_SIZE:
            sizesReported.push_back(POINT{LOWORD(lParam), HIWORD(lParam)});
            return TRUE;
        default:
            return message == WM_INITDIALOG;
    }
}

LONG widthOf(const RECT& r) {
    return r.right - r.left;
}
LONG heightOf(const RECT& r) {
    return r.bottom - r.top;
}

class WindowGeometry : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        limits = Limits{};
        dialog = CreateDialogParamA(instance(), MAKEINTRESOURCEA(IDD_SIZABLE), nullptr,
                                    sizableDialogProc, 0);
        ASSERT_NE(dialog, nullptr);
        ShowWindow(dialog, SW_SHOW);
        pumpMessages(dialog);
        sizesReported.clear();
    }
    void TearDown() override {
        DestroyWindow(dialog);
        WindowTest::TearDown();
    }

    // A control's rectangle in the dialog's client area.
    RECT placeOf(int id) const {
        RECT at{};
        EXPECT_TRUE(GetWindowRect(GetDlgItem(dialog, id), &at));
        MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&at), 2);
        return at;
    }
    RECT inDialogMeasure(RECT units) const {
        EXPECT_TRUE(MapDialogRect(dialog, &units));
        return units;
    }
    // Where the dialog manager puts a template's control: its position and
    // its size each in the dialog's measure.
    RECT placedByTemplate(LONG x, LONG y, LONG cx, LONG cy) const {
        const RECT r = inDialogMeasure(RECT{x, y, cx, cy});
        return RECT{r.left, r.top, r.left + r.right, r.top + r.bottom};
    }
    RECT windowRect() const {
        RECT r{};
        GetWindowRect(dialog, &r);
        return r;
    }
    void sizeWindow(LONG width, LONG height) const {
        EXPECT_TRUE(SetWindowPos(dialog, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER));
    }

    HWND dialog = nullptr;
};

::testing::AssertionResult sameRect(const RECT& a, const RECT& b) {
    if (a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "{" << a.left << ", " << a.top << ", " << a.right << ", " << a.bottom << "} is not {"
           << b.left << ", " << b.top << ", " << b.right << ", " << b.bottom << "}";
}

TEST_F(WindowGeometry, controls_sit_where_the_template_puts_them_and_move_where_they_are_put) {
    // Away from the screen's corner, so that a control's screen position differs from its place.
    ASSERT_TRUE(SetWindowPos(dialog, nullptr, 30, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
    EXPECT_EQ(windowRect().left, 30);
    RECT client{};
    ASSERT_TRUE(GetClientRect(dialog, &client));
    EXPECT_TRUE(sameRect(client, inDialogMeasure(RECT{0, 0, 120, 60})));
    EXPECT_TRUE(sameRect(placeOf(IDC_SIZABLE_LABEL), placedByTemplate(7, 7, 40, 8)));
    EXPECT_TRUE(sameRect(placeOf(IDC_SIZABLE_EDIT), placedByTemplate(7, 17, 106, 14)));
    EXPECT_TRUE(sameRect(placeOf(IDOK), placedByTemplate(63, 39, 50, 14)));

    ASSERT_TRUE(MoveWindow(GetDlgItem(dialog, IDOK), 5, 6, 30, 12, TRUE));
    EXPECT_TRUE(sameRect(placeOf(IDOK), RECT{5, 6, 35, 18}));
    RECT button{};
    GetClientRect(GetDlgItem(dialog, IDOK), &button);
    EXPECT_TRUE(sameRect(button, RECT{0, 0, 30, 12}));
    EXPECT_TRUE(sizesReported.empty()) << "the dialog itself kept its size";
}

TEST_F(WindowGeometry, siblings_follow_the_template_order) {
    const HWND label = GetDlgItem(dialog, IDC_SIZABLE_LABEL);
    const HWND edit = GetDlgItem(dialog, IDC_SIZABLE_EDIT);
    const HWND ok = GetDlgItem(dialog, IDOK);
    EXPECT_EQ(GetWindow(dialog, GW_CHILD), label);
    EXPECT_EQ(GetWindow(label, GW_HWNDNEXT), edit);
    EXPECT_EQ(GetWindow(ok, GW_HWNDPREV), edit);
    EXPECT_EQ(GetWindow(edit, GW_HWNDPREV), label);
    EXPECT_EQ(GetWindow(ok, GW_HWNDNEXT), nullptr);
    EXPECT_EQ(GetWindow(label, GW_HWNDPREV), nullptr);
}

TEST_F(WindowGeometry, a_sizing_frame_keeps_within_its_dialogs_limits_and_reports_each_new_size) {
    const RECT first = windowRect();
    RECT client{};
    GetClientRect(dialog, &client);
    const LONG frameWidth = widthOf(first) - client.right;
    const LONG frameHeight = heightOf(first) - client.bottom;
    limits.smallest = POINT{widthOf(first) + 10, heightOf(first) + 8};
    limits.largest = POINT{widthOf(first) + 100, heightOf(first) + 80};

    struct Case {
        const char* name;
        LONG width, height;
        POINT expected;  // the window's size
    };
    const Case cases[] = {
        {"within the limits",
         widthOf(first) + 50,
         heightOf(first) + 40,
         {widthOf(first) + 50, heightOf(first) + 40}},
        {"too large", widthOf(first) + 500, heightOf(first) + 400, limits.largest},
        {"too small, even smaller than it opened", 10, 10, limits.smallest},
        {"too narrow but not too short",
         10,
         heightOf(first) + 30,
         {limits.smallest.x, heightOf(first) + 30}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sizesReported.clear();
        sizeWindow(c.width, c.height);
        EXPECT_EQ(widthOf(windowRect()), c.expected.x);
        EXPECT_EQ(heightOf(windowRect()), c.expected.y);
        ASSERT_FALSE(sizesReported.empty());
        EXPECT_EQ(sizesReported.back().x, c.expected.x - frameWidth);
        EXPECT_EQ(sizesReported.back().y, c.expected.y - frameHeight);
    }

    // Moved without a new size, it is not told of a size.
    sizesReported.clear();
    const RECT before = windowRect();
    EXPECT_TRUE(SetWindowPos(dialog, nullptr, before.left + 5, before.top + 5, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER));
    EXPECT_EQ(windowRect().left, before.left + 5);
    EXPECT_EQ(widthOf(windowRect()), widthOf(before));
    EXPECT_TRUE(sizesReported.empty());
}

// A window without a sizing frame is put at any size its program asks.
TEST_F(WindowGeometry, a_fixed_dialog_is_not_held_to_limits) {
    const HWND plain =
        CreateDialogParamA(instance(), MAKEINTRESOURCEA(IDD_PLAIN), nullptr, sizableDialogProc, 0);
    ASSERT_NE(plain, nullptr);
    limits.smallest = POINT{400, 300};
    RECT at{};
    GetWindowRect(plain, &at);
    ASSERT_LT(widthOf(at), 400);
    EXPECT_TRUE(SetWindowPos(plain, nullptr, 0, 0, widthOf(at) + 20, heightOf(at) + 10,
                             SWP_NOMOVE | SWP_NOZORDER));
    GetWindowRect(plain, &at);
    DestroyWindow(plain);
    EXPECT_LT(widthOf(at), 400);
}

}  // namespace
}  // namespace quorvel::testing
