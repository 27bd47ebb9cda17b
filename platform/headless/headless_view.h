#pragma once

// The view for tests and scripted runs: shows nothing, and when a message
// loop has nothing to do it runs the next step the test has scripted instead
// of waiting for a person. A loop that waits with no step left is a failure,
// reported and ended with a quit message, never a hang. Message boxes are
// recorded and answered as the test said.

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/clipboard.h"
#include "platform/core/view.h"

namespace quorvel::platform {

struct PopupMenuRecord {
    HWND owner = nullptr;
    std::vector<MenuItem> items;
};

struct MessageBoxRecord {
    HWND owner = nullptr;
    std::string text;
    std::string caption;
    UINT type = 0;
    bool ownerWasEnabled = false;  // whether the owner could take input while it showed
};

class HeadlessView : public View {
  public:
    using Step = std::function<void()>;
    using FailureReporter = std::function<void(const std::string&)>;

    // Installs itself as the core's view; the destructor uninstalls it.
    HeadlessView();
    ~HeadlessView() override;
    HeadlessView(const HeadlessView&) = delete;
    HeadlessView& operator=(const HeadlessView&) = delete;

    // Runs step the next time a message loop finds its queue empty.
    void whenIdle(Step step);
    std::size_t stepsLeft() const { return steps_.size(); }

    // The next message box must show text; it is answered with answer. A box
    // nobody expected, or with another text, is a failure and is answered
    // with its first button.
    void expectMessageBox(std::string text, int answer);
    std::size_t expectedMessageBoxesLeft() const { return answers_.size(); }
    const std::vector<MessageBoxRecord>& messageBoxes() const { return boxes_; }

    // The next pop-up menu is answered with its item whose text, without its
    // '&', is choice; an empty choice dismisses it. A menu nobody expected is
    // a failure and is dismissed.
    void expectPopupMenu(std::string choice) { menuChoices_.push_back(std::move(choice)); }
    const std::vector<PopupMenuRecord>& popupMenus() const { return menus_; }

    // The clipboard edit boxes copy to and paste from while this view is
    // installed; it starts empty.
    MemoryClipboard& clipboard() { return clipboard_; }

    // Where failures go; by default they are written to stderr.
    void onFailure(FailureReporter report) { report_ = std::move(report); }

    void created(HWND window) override;
    void destroyed(HWND window) override;
    void changed(HWND window, Change what) override;
    void focusChanged(HWND from, HWND to) override;
    void waitForInput() override;
    int messageBox(HWND owner, const std::string& text, const std::string& caption,
                   UINT type) override;
    int popupMenu(HWND owner, const std::vector<MenuItem>& items, int x, int y) override;

  private:
    struct Answer {
        std::string text;
        int answer = IDOK;
    };

    void fail(const std::string& what);

    std::deque<Step> steps_;
    std::deque<Answer> answers_;
    std::vector<MessageBoxRecord> boxes_;
    FailureReporter report_;
    int idleWithoutSteps_ = 0;
    MemoryClipboard clipboard_;
    std::deque<std::string> menuChoices_;
    std::vector<PopupMenuRecord> menus_;
};

}  // namespace quorvel::platform
