// What a view hears from the core: the seam the Qt view is built on. The Qt
// view's own tests show the rest of it (changes, focus, input, waiting).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/accessible_description.h"
#include "platform/core/dialog_units.h"
#include "platform/core/view.h"
#include "tests/platform/test_resource.h"

namespace quorvel::testing {
using namespace platform;
namespace {

using Strings = std::vector<std::string>;

class RecordingView : public View {
  public:
    RecordingView() { setView(this); }
    ~RecordingView() override { setView(nullptr); }
    RecordingView(const RecordingView&) = delete;
    RecordingView& operator=(const RecordingView&) = delete;

    void created(HWND window) override { log("created", window); }
    void destroyed(HWND window) override { log("destroyed", window); }
    void changed(HWND window, Change what) override {
        if (what == Change::Colours || what == Change::Described) {
            changes.push_back((what == Change::Colours ? "colours " : "description ") +
                              std::to_string(findWindow(window)->id));
        }
    }
    void focusChanged(HWND, HWND) override {}
    void waitForInput() override { PostQuitMessage(0); }
    int messageBox(HWND, const std::string&, const std::string&, UINT) override { return IDOK; }

    void log(const char* what, HWND window) {
        const Window* w = findWindow(window);
        events.push_back(std::string(what) + " " +
                         (w->isChild() ? std::to_string(w->id) : w->className));
    }

    Strings events;
    Strings changes;  // of colours and descriptions
};

TEST(view, hears_of_a_dialog_before_its_controls_and_of_its_controls_going_first) {
    RecordingView view;
    const HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PLAIN),
                                           nullptr, nullptr, 0);
    ASSERT_NE(dialog, nullptr);
    DestroyWindow(dialog);
    EXPECT_EQ(view.events, (Strings{"created #32770", "created 2301", "created 2", "destroyed 2301",
                                    "destroyed 2", "destroyed #32770"}));
}

// Grey text for the read-only box, and which message asked for it.
INT_PTR CALLBACK greyingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message == WM_CTLCOLORSTATIC || message == WM_CTLCOLOREDIT) &&
        reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, IDC_SHOWN)) {
        SetTextColor(reinterpret_cast<HDC>(wParam),
                     message == WM_CTLCOLORSTATIC ? GetSysColor(COLOR_GRAYTEXT) : 0x0000FF);
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
    return message == WM_INITDIALOG;
}

TEST(view, keeps_the_colour_a_parent_gives_when_its_control_is_invalidated_and_its_description) {
    RecordingView view;
    const HWND dialog = CreateDialogParamA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CONTROLS), nullptr, greyingDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    const HWND shown = GetDlgItem(dialog, IDC_SHOWN), name = GetDlgItem(dialog, IDC_NAME);
    EXPECT_EQ(findWindow(shown)->textColor, CLR_INVALID) << "until it is drawn";
    InvalidateRect(shown, nullptr, TRUE);
    InvalidateRect(name, nullptr, TRUE);
    EXPECT_EQ(findWindow(shown)->textColor, GetSysColor(COLOR_GRAYTEXT))
        << "a read-only box asks as a static text does";
    EXPECT_EQ(findWindow(name)->textColor, CLR_INVALID) << "the parent left it alone";

    platform::setAccessibleDescription(shown, "out of date");
    EXPECT_EQ(findWindow(shown)->description, "out of date");
    platform::setAccessibleDescription(shown, "");
    EXPECT_EQ(findWindow(shown)->description, "");
    EXPECT_EQ(view.changes, (Strings{"colours 2207", "description 2207", "description 2207"}));
    DestroyWindow(dialog);
}

TEST(dialog_units, convert_with_the_font_metrics_and_round_halves_away_from_zero) {
    // An 8 point sans-serif face at 96 dpi: letters 312 pixels wide, 13 high.
    const int baseX = averageCharacterWidth(312);
    EXPECT_EQ(baseX, 6);
    const Rect r = dialogUnitsToPixels(Rect{7, 7, 290, 270}, baseX, 13);
    EXPECT_EQ(r.x, 11) << "7 * 6 / 4 = 10.5 rounds up";
    EXPECT_EQ(r.y, 11) << "7 * 13 / 8 = 11.375";
    EXPECT_EQ(r.cx, 435);
    EXPECT_EQ(r.cy, 439) << "270 * 13 / 8 = 438.75";
    EXPECT_EQ(dialogUnitsToPixels(Rect{-7, 0, 0, 0}, baseX, 13).x, -11);
}

}  // namespace
}  // namespace quorvel::testing
