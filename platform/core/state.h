#pragma once

// The core's own state and the helpers its parts share. Not for views: they
// use view.h and input.h.

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/resource_templates.h"
#include "platform/core/view.h"
#include "platform/core/window.h"
#include "platform/win32.h"

namespace quorvel::platform {

struct WindowClass {
    std::string name;
    WNDPROC procedure = nullptr;
    ControlKind kind = ControlKind::Window;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HBRUSH background = nullptr;
    std::optional<ResourceName> menu;
    bool builtIn = false;
};

struct CreateParams {
    std::string className;
    std::string text;
    DWORD style = 0;
    DWORD exStyle = 0;
    Rect rect;
    bool inDialogUnits = true;
    HWND parent = nullptr;  // a child's parent, or a top-level window's owner
    int id = 0;
    HINSTANCE instance = nullptr;
    const MenuResource* menu = nullptr;
    const DialogTemplate* dialog = nullptr;  // set when the dialog manager creates it
    HICON staticIcon = nullptr;
};

struct State {
    std::map<std::uintptr_t, std::unique_ptr<Window>> windows;
    // Destroyed windows stay readable until no message is being handled, so
    // that no handler still on the stack can hold one that is gone.
    std::vector<std::unique_ptr<Window>> destroyed;
    int sendDepth = 0;
    std::uintptr_t nextHandle = 0x10010;
    std::vector<HWND> topLevels;
    std::vector<WindowClass> classes;
    std::deque<MSG> posted;
    std::deque<MSG> input;
    bool quitPending = false;
    int quitCode = 0;
    HWND focus = nullptr;
    HWND active = nullptr;
    bool shiftDown = false;
    bool controlDown = false;
    DWORD clock = 0;
    std::vector<COLORREF> brushes;
    std::vector<const IconResource*> icons;
    View* view = nullptr;
};

State& state();
std::vector<WindowClass> builtInClasses();
Window* find(HWND window);
bool isSelfOrDescendant(HWND ancestor, HWND window);
// Visible and enabled, with every window it sits in.
bool takesInput(HWND window);
void notify(HWND window, Change what);

HWND createWindow(const CreateParams& params);
// Makes a top-level window the active one and puts the focus into it.
void activate(HWND topLevel);
void setStyle(HWND window, DWORD style);
// Moves and sizes a window as SetWindowPos does (SWP_NOMOVE, SWP_NOSIZE):
// a window with a sizing frame is held to its WM_GETMINMAXINFO limits, and
// one whose size changed gets WM_SIZE. False for no window.
bool placeWindow(HWND window, int x, int y, int cx, int cy, UINT flags);

// WM_COMMAND to a control's parent with the control's id and code.
void notifyParent(HWND control, WORD code);

// Dialog manager helpers.
HWND nextTabItem(HWND dialog, HWND from, bool previous);
HWND nextGroupItem(HWND dialog, HWND from, bool previous);
// Every control of the radio group a control belongs to, in template order.
std::vector<HWND> radioGroupOf(HWND control);
// Focus given by the dialog manager: an edit box's text is selected.
void setDialogFocus(HWND control);

// Control window procedures.
LRESULT CALLBACK buttonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK editProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK staticProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK comboBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK upDownProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK listViewProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A command of a window's menu bar.
bool hasMenuCommand(const Window& window, int id);

// What a button does when clicked or let go of the space bar.
void buttonClicked(HWND button);
// A drop-down list opening, and closing with or without a choice.
void openDropDown(HWND comboBox);
void closeDropDown(HWND comboBox, bool chosen);
// One step of an up-down control's arrows.
void stepUpDown(HWND upDown, bool up);

// Copies text into a WM_GETTEXT-style buffer of size characters.
LRESULT copyText(const std::string& text, WPARAM size, LPARAM buffer);

}  // namespace quorvel::platform
