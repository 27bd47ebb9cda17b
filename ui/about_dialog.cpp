#include "ui/about_dialog.h"

#include "resources/resource.h"

namespace quorvel {

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
    switch (message) {
        case WM_INITDIALOG:
            SetDlgItemTextA(dialog, IDC_ABOUT_WEB_PAGE, kWebPageAddress);
            SetDlgItemTextA(dialog, IDC_ABOUT_EMAIL, kEmailAddress);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, 1);
            }
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace quorvel
