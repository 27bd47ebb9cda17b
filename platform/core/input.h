#pragma once

// Input entry points: what a user's mouse and keyboard do to the program.
// Views call them (the Qt view for real input, the headless view for a
// test's simulated input). Each produces what the platform's control does:
// first the state changes, then the control's notifications. Input to a
// hidden or disabled control, or to a window disabled by a modal dialog, is
// ignored; the functions return false then.

#include <string_view>

#include "platform/win32.h"

namespace quorvel::platform::input {

// A mouse click on a control: a push button is pressed, a check box
// toggled, a radio button checked (and its group cleared), an edit box or
// drop-down list given the focus. BN_CLICKED follows for buttons.
bool click(HWND control);

// The user opens a drop-down list and picks the item at index:
// CBN_SETFOCUS (if it had no focus), CBN_DROPDOWN, then the item becomes
// current, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE.
bool chooseItem(HWND comboBox, int index);
// The two halves of chooseItem, for a view that shows the open list itself;
// closeList with -1 is a cancelled list (CBN_SELENDCANCEL, CBN_CLOSEUP).
bool openList(HWND comboBox);
bool closeList(HWND comboBox, int index);

// Keyboard typing into an edit box: gives it the focus as a click does, then
// each character as typed (replacing the selection, up to the text limit;
// '\b' deletes backwards). EN_UPDATE and EN_CHANGE follow each change.
bool typeText(HWND edit, std::string_view text);

// A key pressed and let go, queued to the window with the focus (or the
// active window) as WM_KEYDOWN / WM_KEYUP, so that the message loop and
// IsDialogMessageA handle it. With shift or control, VK_SHIFT or VK_CONTROL
// is held around it.
void pressKey(UINT virtualKey, bool shift = false, bool control = false);
void keyDown(UINT virtualKey);
void keyUp(UINT virtualKey);

// A menu command chosen from a window's menu bar: WM_COMMAND with the item's
// id and lParam 0 is posted to the window. False for a disabled window or an
// id not in its menu.
bool chooseMenuItem(HWND window, int commandId);

// The close box on a window's caption: WM_SYSCOMMAND SC_CLOSE, which the
// default window procedure turns into WM_CLOSE.
bool clickCloseBox(HWND window);

// A right-click on a control at a screen point, or the menu key with (-1,
// -1): WM_CONTEXTMENU, with which an edit box shows its menu (Undo, Cut, Copy,
// Paste, Delete, Select All) and carries out the item chosen.
bool rightClick(HWND control, int x = -1, int y = -1);

// The user drags the sizing frame of a top-level window with WS_THICKFRAME
// to a client area of width × height dialog units: the window keeps within
// what it answers to WM_GETMINMAXINFO and gets WM_SIZE, as SetWindowPos
// does. False for a window without a sizing frame.
bool resize(HWND window, int width, int height);

// A click on an up-down control's up (toward its upper limit) or down arrow.
bool clickUpDown(HWND upDown, bool up);

// A click on a list view's row: the list takes the focus and the row is
// focused and selected (-1 for the space below the rows).
bool clickListRow(HWND listView, int row);

}  // namespace quorvel::platform::input
