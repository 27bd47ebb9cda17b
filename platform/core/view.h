#pragma once

// The seam between the core and a view (headless in tests, Qt on a desktop).
//
// The core owns every window, control, class and message. A view shows them
// and feeds input back; it needs nothing from the core beyond this header and
// platform/core/input.h:
//
// - Install it with setView() before the program creates its first window
//   (nullptr uninstalls it). One view at a time, one thread.
// - The core calls the View members below as things happen. Inside a call the
//   view may read any window with findWindow() (window.h lists the fields:
//   kind, class, style, text, items, current item, tick, limit, selection,
//   rectangle in dialog units, template font, menu, icon, background...), but
//   must not call back into the core except where noted.
// - created() comes for each window as soon as it exists (a dialog before its
//   controls, each control in template order), destroyed() before it goes
//   (children first, state still readable); changed() names what changed.
// - waitForInput() is called by GetMessageA when the queue is empty: block
//   until the user does something, turning it into calls of input.h, and
//   return (returning without input is allowed; the core asks again).
//   pollInput() is the same without blocking, called by PeekMessageA.
// - messageBox() shows a modal message box and returns the button pressed
//   (IDOK for MB_OK); the core has already disabled the owner. popupMenu()
//   shows a control's pop-up menu (an edit box's right-click menu) and
//   returns the id chosen.
// - Resources: iconBytes() gives an icon's .ico file, menus come as
//   MenuResource trees (resource_templates.h), brushColor() the colour of a
//   class background brush.
// - Geometry: template rectangles are in dialog units; dialog_units.h turns
//   them into pixels from the template font's metrics. An up-down control
//   (pixels) with UDS_ALIGNRIGHT sits on its buddy's right edge, kUpDownWidth
//   wide, overlapping the buddy by kUpDownBuddyOverlap; the buddy is
//   narrowed by its rightInsetPixels. A top-level window with WS_THICKFRAME
//   can be sized by the user, no smaller than its template: the view tells
//   the core with input::resize (in dialog units) and keeps the pixels the
//   user chose while they come to the core's size.

#include <string>
#include <vector>

#include "platform/core/resource_templates.h"
#include "platform/core/window.h"
#include "platform/win32.h"

namespace quorvel::platform {

enum class Change {
    Text,         // window text, or an edit box's text
    Items,        // a drop-down list's items (and so possibly its current item)
    CurrentItem,  // a drop-down list's current item
    Check,        // a button's tick
    Pushed,       // a button held down by the space bar, or let go
    Enabled,
    Visible,
    Style,  // other style bits (read-only, default push button...)
    TextLimit,
    Selection,  // an edit box's selection or caret
    Dropped,    // a drop-down list opened or closed
    Position,   // an up-down control's position or range
    Geometry,   // rectangle, or room given up to an up-down control
    Columns,    // a list view's columns
    Rows,       // a list view's rows or their texts
    RowState,   // a list view's selected or focused row
    Menu,       // a menu command grayed or enabled
    Colours,    // the text colour its parent gave a control (Window::textColor)
    Described,  // the description for screen readers (Window::description)
};

class View {
  public:
    virtual ~View() = default;
    virtual void created(HWND window) = 0;
    virtual void destroyed(HWND window) = 0;
    virtual void changed(HWND window, Change what) = 0;
    virtual void focusChanged(HWND from, HWND to) = 0;
    // May call input.h entry points and post messages.
    virtual void waitForInput() = 0;
    virtual void pollInput() {}
    // Runs while the message box is open; may call input.h entry points.
    virtual int messageBox(HWND owner, const std::string& text, const std::string& caption,
                           UINT type) = 0;
    // Shows a pop-up menu for owner at screen point (x, y), or at owner's
    // centre for (-1, -1), and returns the id of the item chosen, 0 if none.
    virtual int popupMenu(HWND /*owner*/, const std::vector<MenuItem>& /*items*/, int /*x*/,
                          int /*y*/) {
        return 0;
    }
};

void setView(View* view);
View* currentView();

// nullptr for a handle that is not (or no longer) a window.
const Window* findWindow(HWND window);
// The top-level window a control sits in; a top-level window itself.
HWND topLevelOf(HWND window);
// Every top-level window, oldest first.
std::vector<HWND> topLevelWindows();
// The window with the keyboard-active dialog manager, or nullptr.
HWND activeWindow();
// The push button Enter would press in a dialog: the focused push button if
// the dialog manager made it the default, or else the dialog's default
// button; nullptr if neither.
HWND defaultButton(HWND dialog);
// The bytes of the .ico file behind an icon handle; empty for other handles.
const std::string& iconBytes(HICON icon);
// The colour of a brush made by CreateSolidBrush.
COLORREF brushColor(HBRUSH brush);
// Whether a command of a window's menu bar is grayed now (by its template or
// by EnableMenuItem since).
bool menuCommandGrayed(const Window& window, int id);

}  // namespace quorvel::platform
