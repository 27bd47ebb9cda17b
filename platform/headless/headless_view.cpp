#include "platform/headless/headless_view.h"

#include <cstdio>
#include <cstdlib>

namespace quorvel::platform {

HeadlessView::HeadlessView() {
    setView(this);
    setClipboard(&clipboard_);
}

HeadlessView::~HeadlessView() {
    if (currentView() == this) {
        setView(nullptr);
    }
    if (currentClipboard() == &clipboard_) {
        setClipboard(nullptr);
    }
}

void HeadlessView::whenIdle(Step step) {
    steps_.push_back(std::move(step));
}

void HeadlessView::expectMessageBox(std::string text, int answer) {
    answers_.push_back(Answer{std::move(text), answer});
}

void HeadlessView::created(HWND) {}
void HeadlessView::destroyed(HWND) {}
void HeadlessView::changed(HWND, Change) {}
void HeadlessView::focusChanged(HWND, HWND) {}

void HeadlessView::waitForInput() {
    if (!steps_.empty()) {
        Step step = std::move(steps_.front());
        steps_.pop_front();
        step();
        return;
    }
    // A loop that ignores the quit message would ask forever: stop it hard.
    if (++idleWithoutSteps_ > 100) {
        std::fprintf(stderr, "headless view: the message loop ignores the quit message\n");
        std::abort();
    }
    fail("the message loop is waiting for input, but the test has no next step");
    PostQuitMessage(-1);
}

int HeadlessView::messageBox(HWND owner, const std::string& text, const std::string& caption,
                             UINT type) {
    const Window* ownerWindow = findWindow(owner);
    boxes_.push_back(MessageBoxRecord{owner, text, caption, type,
                                      ownerWindow != nullptr && ownerWindow->enabled()});
    if (answers_.empty()) {
        fail("unexpected message box \"" + text + "\"");
        return IDOK;
    }
    const Answer answer = answers_.front();
    answers_.pop_front();
    if (answer.text != text) {
        fail("message box \"" + text + "\" where \"" + answer.text + "\" was expected");
    }
    return answer.answer;
}

int HeadlessView::popupMenu(HWND owner, const std::vector<MenuItem>& items, int, int) {
    menus_.push_back(PopupMenuRecord{owner, items});
    if (menuChoices_.empty()) {
        fail("unexpected pop-up menu");
        return 0;
    }
    const std::string choice = std::move(menuChoices_.front());
    menuChoices_.pop_front();
    for (const MenuItem& item : items) {
        std::string text = item.text;
        std::erase(text, '&');
        if (!item.separator && !choice.empty() && text == choice) {
            return item.grayed ? 0 : item.id;  // a grayed item cannot be chosen
        }
    }
    if (!choice.empty()) {
        fail("the pop-up menu has no item \"" + choice + "\"");
    }
    return 0;
}

void HeadlessView::fail(const std::string& what) {
    if (report_) {
        report_(what);
    } else {
        std::fprintf(stderr, "headless view: %s\n", what.c_str());
    }
}

}  // namespace quorvel::platform
