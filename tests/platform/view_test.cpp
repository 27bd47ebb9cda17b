// What a view hears from the core: the seam the Qt view is built on.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/dialog_units.h"
#include "platform/core/input.h"
#include "platform/core/view.h"
#include "tests/platform/test_resource.h"

namespace quorvel::platform {
namespace {

class RecordingView : public View {
  public:
    RecordingView() { setView(this); }
    ~RecordingView() override { setView(nullptr); }
    RecordingView(const RecordingView&) = delete;
    RecordingView& operator=(const RecordingView&) = delete;

    void created(HWND window) override { log("created", window); }
    void destroyed(HWND window) override { log("destroyed", window); }
    void changed(HWND window, Change what) override { changes.push_back({window, what}); }
    void focusChanged(HWND, HWND to) override { focus = to; }
    void waitForInput() override {
        ++waits;
        PostQuitMessage(0);
    }
    int messageBox(HWND owner, const std::string& text, const std::string& caption, UINT) override {
        boxes.push_back(text + "|" + caption +
                        (IsWindowEnabled(owner) ? "|owner enabled" : "|owner disabled"));
        return IDOK;
    }

    void log(const char* what, HWND window) {
        const Window* w = findWindow(window);
        events.push_back(std::string(what) + " " +
                         (w->isChild() ? std::to_string(w->id) : w->className));
    }

    bool saw(HWND window, Change what) const {
        for (const auto& [w, c] : changes) {
            if (w == window && c == what) {
                return true;
            }
        }
        return false;
    }

    std::vector<std::string> events;
    std::vector<std::pair<HWND, Change>> changes;
    std::vector<std::string> boxes;
    HWND focus = nullptr;
    int waits = 0;
};

class ViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PLAIN), nullptr,
                                    nullptr, 0);
        ASSERT_NE(dialog, nullptr);
        edit = GetDlgItem(dialog, IDC_PLAIN_EDIT);
    }
    void TearDown() override {
        DestroyWindow(dialog);
        MSG message{};
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    RecordingView view;
    HWND dialog = nullptr;
    HWND edit = nullptr;
};

TEST_F(ViewTest, hears_of_a_dialog_before_its_controls_and_of_its_controls_going_first) {
    DestroyWindow(dialog);
    const std::vector<std::string> expected = {"created #32770", "created 2301",
                                               "created 2",      "destroyed 2301",
                                               "destroyed 2",    "destroyed #32770"};
    EXPECT_EQ(view.events, expected);
}

TEST_F(ViewTest, reads_the_template_state_of_each_window) {
    const Window* d = findWindow(dialog);
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isDialog);
    EXPECT_EQ(d->fontName, "MS Sans Serif");
    EXPECT_EQ(d->fontPointSize, 8);
    EXPECT_EQ(d->rect.cx, 120);
    const Window* cancel = findWindow(GetDlgItem(dialog, IDCANCEL));
    EXPECT_EQ(cancel->kind, ControlKind::Button);
    EXPECT_FALSE(cancel->enabled());
    EXPECT_EQ(cancel->text, "Cancel");
}

TEST_F(ViewTest, is_told_what_changed_and_where_the_focus_went) {
    ShowWindow(dialog, SW_SHOW);
    EXPECT_EQ(view.focus, edit) << "showing the dialog puts the focus on its first tab stop";
    SetWindowTextA(edit, "x");
    EnableWindow(edit, FALSE);
    EXPECT_TRUE(view.saw(dialog, Change::Visible));
    EXPECT_TRUE(view.saw(edit, Change::Text));
    EXPECT_TRUE(view.saw(edit, Change::Enabled));
    EXPECT_EQ(findWindow(edit)->text, "x");
}

TEST_F(ViewTest, is_asked_to_wait_only_when_the_queue_is_empty) {
    PostMessageA(dialog, WM_NULL, 0, 0);
    MSG message{};
    EXPECT_TRUE(GetMessageA(&message, nullptr, 0, 0));
    EXPECT_EQ(view.waits, 0);
    EXPECT_FALSE(GetMessageA(&message, nullptr, 0, 0));
    EXPECT_EQ(view.waits, 1);
}

TEST_F(ViewTest, shows_message_boxes_with_the_owner_already_disabled) {
    EXPECT_EQ(MessageBoxA(dialog, "Careful", nullptr, MB_OK), IDOK);
    EXPECT_EQ(view.boxes, (std::vector<std::string>{"Careful|Error|owner disabled"}));
    EXPECT_TRUE(IsWindowEnabled(dialog));
}

TEST_F(ViewTest, feeds_input_back_through_the_entry_points) {
    ShowWindow(dialog, SW_SHOW);
    EXPECT_TRUE(input::typeText(edit, "abc"));
    EXPECT_EQ(findWindow(edit)->text, "abc");
    EXPECT_TRUE(view.saw(edit, Change::Selection));
    EXPECT_FALSE(input::click(GetDlgItem(dialog, IDCANCEL))) << "disabled";
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
