#pragma once

// What the Qt view's tests share: the one view, a message loop run until the
// user's input has all been handled, the dialogs of qt_test.rc and the
// WM_COMMAND notifications they received.

#include <gtest/gtest.h>
#include <QWidget>
#include <functional>
#include <vector>

#include "platform/qt/qt_view.h"
#include "platform/win32.h"
#include "tests/platform_qt/qt_test_resource.h"

namespace quorvel::testing {

using platform::qt::QtView;

struct Command {
    int id = 0;
    int code = 0;
    bool operator==(const Command&) const = default;
};
using Codes = std::vector<int>;

// The view main() made for the whole run.
QtView& view();

// WM_COMMAND received by the test windows, oldest first; a warning box's
// answer is recorded as id 0 with the answer as code.
std::vector<Command>& commands();
Codes codesFrom(int id);

// Runs the message loop, with dialog keyboard handling, until every piece
// of input the widgets received has been handled.
void pump();
// Runs step the next time a message loop waits for input.
void whenIdle(std::function<void()> step);

// Records WM_COMMAND. In the modal box OK and Cancel end the dialog;
// "Apply" in the controls dialog shows a warning box.
INT_PTR CALLBACK testDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Creates a dialog of qt_test.rc with testDialogProc, shown, its input handled.
HWND showDialog(int templateId);
void saveScreenshot(HWND window, const char* name);

class ControlsDialog : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    HWND item(int id) const { return GetDlgItem(dialog, id); }
    template <class Widget>
    Widget* widget(int id) const {
        return qobject_cast<Widget*>(view().widgetOf(item(id)));
    }
    std::string textOf(int id) const;
    void click(int id);
    // A key to the widget with the focus, then the loop until it is handled.
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Typing as a keyboard layout delivers it, beyond ASCII too.
    void type(const QString& text);

    HWND dialog = nullptr;
};

}  // namespace quorvel::testing
