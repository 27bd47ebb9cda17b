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

// Every control of a dialog with its name.
std::map<HWND, AccessibleName> accessibleNames(HWND dialog);

// A window's own name: its caption, or for a window without one the title of
// its first group box, else its first static text.
std::string windowName(HWND window);

// A control text as shown: "&&" becomes "&", a lone '&' (the mnemonic mark)
// goes.
std::string withoutMnemonics(std::string_view text);

}  // namespace quorvel::platform
