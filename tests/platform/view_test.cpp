// What a view hears from the core: the seam the Qt view is built on. The Qt
// view's own tests show the rest of it (changes, focus, input, waiting).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/dialog_units.h"
#include "platform/core/view.h"
#include "tests/platform/test_resource.h"

namespace quorvel::platform {
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
    void changed(HWND, Change) override {}
    void focusChanged(HWND, HWND) override {}
    void waitForInput() override { PostQuitMessage(0); }
    int messageBox(HWND, const std::string&, const std::string&, UINT) override { return IDOK; }

    void log(const char* what, HWND window) {
        const Window* w = findWindow(window);
        events.push_back(std::string(what) + " " +
                         (w->isChild() ? std::to_string(w->id) : w->className));
    }

    Strings events;
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
}  // namespace quorvel::platform
