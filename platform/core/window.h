#pragma once

// What the core knows about one window or control. Views read it (through
// findWindow in view.h) to show the window; only the core changes it.

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32.h"

namespace quorvel::platform {

struct MenuResource;

// The kinds of control the core implements; Window for a top-level window
// of an application class or of the dialog class.
enum class ControlKind { Window, Button, Edit, Static, ComboBox, UpDown, ListView };

// A rectangle in the units named by Window::inDialogUnits.
struct Rect {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;

    bool operator==(const Rect&) const = default;
};

// An up-down control aligned to its buddy takes this width in pixels on the
// buddy's right edge and overlaps the buddy's border by this much; the buddy
// gives up the width (Window::rightInsetPixels).
inline constexpr int kUpDownWidth = 16;
inline constexpr int kUpDownBuddyOverlap = 2;

// An edit box's text limit before EM_LIMITTEXT, and after EM_LIMITTEXT 0.
inline constexpr std::size_t kDefaultEditLimit = 30000;
inline constexpr std::size_t kMaxEditLimit = 0x7FFFFFFE;

// A list view's column, in report view.
struct ListColumn {
    std::string text;
    int width = 0;  // pixels
    bool alignRight = false;
};

// A list view's row: one text per column, and its LVIS_ state bits.
struct ListRow {
    std::vector<std::string> cells;
    UINT state = 0;
};

struct Window {
    HWND handle = nullptr;
    HWND parent = nullptr;       // the window a control sits in
    HWND owner = nullptr;        // the window a top-level window belongs to
    std::vector<HWND> children;  // creation order, which for dialogs is template order

    std::string className;
    ControlKind kind = ControlKind::Window;
    WNDPROC procedure = nullptr;
    HINSTANCE instance = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    int id = 0;
    std::string text;  // Windows-1252 bytes

    // Position: dialog units for windows made from a template, pixels for
    // windows made by CreateUpDownControl.
    Rect rect;
    bool inDialogUnits = true;

    // Dialogs
    bool isDialog = false;
    DLGPROC dialogProcedure = nullptr;
    std::string fontName;  // the template's FONT, empty without one
    int fontPointSize = 0;
    int defaultId = 0;  // the default push button's id, 0 for none
    bool ended = false;
    INT_PTR endResult = 0;
    HWND savedFocus = nullptr;

    // Top-level windows: from the class and the template.
    const MenuResource* menu = nullptr;
    HICON icon = nullptr;
    HBRUSH background = nullptr;

    // Buttons
    UINT check = BST_UNCHECKED;
    bool pushed = false;  // held down by the space bar

    // Edit boxes
    std::size_t limit = kDefaultEditLimit;
    std::size_t selectionStart = 0;  // the caret when equal to selectionEnd
    std::size_t selectionEnd = 0;
    int rightInsetPixels = 0;  // room given up to an aligned up-down control
    // The one step Undo takes back: undoInsertCount characters inserted at
    // undoPosition, where undoText was deleted.
    std::size_t undoPosition = 0;
    std::size_t undoInsertCount = 0;
    std::string undoText;

    // Drop-down lists
    std::vector<std::string> items;
    int current = -1;
    bool dropped = false;

    // Up-down controls
    HWND buddy = nullptr;
    int lower = 100;  // the platform's default range runs from 100 down to 0
    int upper = 0;
    int position = 0;

    // List views
    std::vector<ListColumn> columns;
    std::vector<ListRow> rows;
    DWORD listExStyle = 0;

    // Top-level windows: menu commands grayed (true) or enabled (false)
    // since the menu was made from its template.
    std::vector<std::pair<int, bool>> menuGrayed;

    // Static icons: the icon resource named by the template.
    HICON staticIcon = nullptr;

    // Edit boxes and static texts: the text colour the parent's answer to
    // WM_CTLCOLORSTATIC or WM_CTLCOLOREDIT set, CLR_INVALID for the usual one.
    COLORREF textColor = CLR_INVALID;
    // What a screen reader says of the control beyond its name and value;
    // Windows-1252, empty for nothing (setAccessibleDescription).
    std::string description;
    // The core's bookkeeping.
    bool destroying = false;
    bool ownerDisabledByDialog = false;  // a modal dialog's owner, to enable again

    DWORD type() const { return style & BS_TYPEMASK; }  // BS_, SS_ or CBS_ type bits
    bool enabled() const { return (style & WS_DISABLED) == 0; }
    bool visible() const { return (style & WS_VISIBLE) != 0; }
    bool isChild() const { return (style & WS_CHILD) != 0; }
};

}  // namespace quorvel::platform
