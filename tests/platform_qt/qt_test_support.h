#pragma once

// What the Qt view's tests share: the one view, a message loop to run until
// the user's input has all been handled, the dialogs of qt_test.rc and the
// WM_COMMAND notifications they received.

#include <gtest/gtest.h>
#include <QWidget>
#include <functional>
#include <vector>

#include "platform/qt/qt_view.h"
#include "platform/win32.h"
#include "tests/platform_qt/qt_test_resource.h"

namespace quorvel::platform::qt::testing {

struct Command {
    int id = 0;
    int code = 0;
    bool operator==(const Command&) const = default;
};

// The view main() made for the whole run.
void installView(QtView& view);
QtView& view();

// WM_COMMAND notifications received by the test dialogs and the application
// window, oldest first.
std::vector<Command>& commands();
// The notifications one control sent.
std::vector<int> codesFrom(int id);

// Runs the message loop (with dialog keyboard handling) until every piece of
// input the widgets received has been handled.
void pump();

// Runs step the next time a message loop waits for input.
void whenIdle(std::function<void()> step);

// The procedure of the test dialogs: records WM_COMMAND; in the modal box,
// OK and Cancel end the dialog with their id; Apply in the controls dialog
// shows a warning box and records its answer as a command with id 0.
INT_PTR CALLBACK testDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Registers the application window's class (once) and creates its window.
HWND createApplicationWindow();

// The frame's point for a widget's centre.
QPoint centreInWindow(const QWidget* widget);

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

    HWND dialog = nullptr;
};

}  // namespace quorvel::platform::qt::testing
