#pragma once

// What the tests of the real program share: the one view, the main window's
// controls, and a run of the program driven step by step, offscreen.

#include <gtest/gtest.h>
#include <QPalette>
#include <QWidget>
#include <deque>
#include <functional>
#include <string>

#include "platform/qt/qt_view.h"
#include "platform/win32.h"

namespace quorvel::testing {

using Step = std::function<void()>;

platform::qt::QtView& view();
HWND mainWindow();
QWidget* control(int id);  // a control of the main window
QWidget* focused();        // the widget of the control the core gave the focus
std::string textOf(int id);

// Runs the program. Each step runs once the program has handled the input of
// the one before; after the last, the close box ends the program if no step
// did.
void runProgram(std::deque<Step> steps);
// Runs step next, before the steps still to come (a step waiting for a
// window to show puts itself back).
void runNext(Step step);

// A dark palette, as a desktop's dark theme gives (QUORVEL_TEST_PALETTE=dark).
QPalette darkPalette();

}  // namespace quorvel::testing
