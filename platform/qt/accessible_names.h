#pragma once

// Names for screen readers and UI automation. A control with a text of its
// own is named by it; an edit box, a drop-down list, a box without text or an
// up-down control is named by the static text labelling it: the label on its
// row (left, else right), joined with the column heading above when the label
// is not right beside it, else the group box around it, else its own text.

#include <map>
#include <string>
#include <string_view>

#include "platform/win32.h"

namespace quorvel::platform::qt {

// Every control of a dialog with its name, in Windows-1252.
std::map<HWND, std::string> accessibleNames(HWND dialog);

// A control text as shown: "&&" becomes "&", a lone '&' (the mnemonic mark)
// goes.
std::string withoutMnemonics(std::string_view text);

}  // namespace quorvel::platform::qt
