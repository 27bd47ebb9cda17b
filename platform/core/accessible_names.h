#pragma once

// Names for screen readers and UI automation, worked out from a dialog's
// layout for any view to give its controls. A control with a text of its
// own is named by it; an edit box, a drop-down list, a box without text or an
// up-down control is named by the static text labelling it: the label on its
// row (left, else right), joined with the column heading above when the label
// is not right beside it or heads a grid's column, else the group box around
// it, else its own text. A heading counts only inside the control's own group
// box. A read-only box nothing labels is named after its dialog.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32.h"

namespace quorvel::platform {

struct AccessibleName {
    std::string name;          // Windows-1252
    std::vector<HWND> labels;  // the static texts and group box the name comes from
};

// A run of radio buttons, which the arrow keys move between: from a radio
// button with WS_GROUP (or after any other control) to the next control that
// is not a radio button or has WS_GROUP, in template order. It is labelled by
// the static text just before its first button, else by the group box around
// it. Each button keeps its own text as its name and takes the group's label.
struct RadioGroup {
    std::vector<HWND> buttons;
    HWND label = nullptr;  // null when nothing labels it
};

// Every control of a dialog with its name.
std::map<HWND, AccessibleName> accessibleNames(HWND dialog);

// A dialog's radio groups, in template order.
std::vector<RadioGroup> radioGroups(HWND dialog);

// A window's own name: its caption, or for a window without one the title of
// its first group box, else its first static text.
std::string windowName(HWND window);

// A control text as shown: "&&" becomes "&", a lone '&' (the mnemonic mark)
// goes.
std::string withoutMnemonics(std::string_view text);

}  // namespace quorvel::platform
