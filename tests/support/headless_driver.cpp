// The test driver over the headless view.

#include <memory>

#include "platform/headless/headless_view.h"
#include "tests/support/scratch_config.h"
#include "tests/support/ui_driver.h"

namespace quorvel::testing {
namespace {

std::unique_ptr<platform::HeadlessView>& view() {
    static std::unique_ptr<platform::HeadlessView> instance;
    return instance;
}

platform::HeadlessView& current() {
    if (!view()) {
        // Tests outside a WindowTest fixture still get a view.
        view() = std::make_unique<platform::HeadlessView>();
    }
    return *view();
}

}  // namespace

void whenIdle(std::function<void()> step) {
    current().whenIdle(std::move(step));
}

void expectMessageBox(const std::string& text, int answer) {
    current().expectMessageBox(text, answer);
}

std::vector<MessageBoxSeen> messageBoxesSeen() {
    std::vector<MessageBoxSeen> seen;
    for (const platform::MessageBoxRecord& box : current().messageBoxes()) {
        seen.push_back(MessageBoxSeen{box.owner, box.text, box.caption, box.ownerWasEnabled});
    }
    return seen;
}

std::string clipboardText() {
    return current().clipboard().text().value_or("");
}

void setClipboardText(const std::string& text) {
    current().clipboard().setText(text);
}

std::vector<std::string> rightClickMenu(HWND control, const std::string& choose) {
    platform::HeadlessView& v = current();
    const std::size_t before = v.popupMenus().size();
    v.expectPopupMenu(choose);
    platform::input::rightClick(control);
    std::vector<std::string> shown;
    if (v.popupMenus().size() == before) {
        ADD_FAILURE() << "no pop-up menu showed";
        return shown;
    }
    for (const platform::MenuItem& item : v.popupMenus().back().items) {
        shown.push_back(item.separator ? "-" : item.grayed ? "[" + item.text + "]" : item.text);
    }
    return shown;
}

std::vector<HWND> openWindows() {
    return platform::topLevelWindows();
}

void WindowTest::SetUp() {
    scratchConfigFolder();
    view() = std::make_unique<platform::HeadlessView>();
    view()->onFailure([](const std::string& what) { ADD_FAILURE() << what; });
}

void WindowTest::TearDown() {
    platform::HeadlessView& v = current();
    EXPECT_EQ(v.stepsLeft(), 0u) << "scripted steps were never run";
    EXPECT_EQ(v.expectedMessageBoxesLeft(), 0u) << "expected message boxes never appeared";
    const std::vector<HWND> left = openWindows();
    EXPECT_TRUE(left.empty()) << left.size() << " window(s) left open";
    for (HWND window : left) {
        DestroyWindow(window);
    }
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    view().reset();
}

}  // namespace quorvel::testing
