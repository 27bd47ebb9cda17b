#pragma once

#include "platform/win32.h"

namespace quorvel {

// The About box: name, version, author, web page and e-mail address.
INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The texts the two address boxes show.
inline constexpr char kWebPageAddress[] = "https://quorvel.example.org";
// The e-mail box aligns left; the spaces move the address towards the middle.
inline constexpr char kEmailAddress[] = "             quorvel@example.org";

}  // namespace quorvel
