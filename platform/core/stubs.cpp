// Placeholders so that the program links while the core is being written.
#include "platform/win32.h"

ATOM WINAPI RegisterClassA(const WNDCLASSA*) {
    return {};
}
HICON WINAPI LoadIconA(HINSTANCE, LPCSTR) {
    return {};
}
HCURSOR WINAPI LoadCursorA(HINSTANCE, LPCSTR) {
    return {};
}
HBRUSH WINAPI CreateSolidBrush(COLORREF) {
    return {};
}
DWORD WINAPI GetSysColor(int) {
    return {};
}
HMODULE WINAPI GetModuleHandleA(LPCSTR) {
    return {};
}
HWND WINAPI CreateDialogParamA(HINSTANCE, LPCSTR, HWND, DLGPROC, LPARAM) {
    return {};
}
INT_PTR WINAPI DialogBoxParamA(HINSTANCE, LPCSTR, HWND, DLGPROC, LPARAM) {
    return {};
}
BOOL WINAPI EndDialog(HWND, INT_PTR) {
    return {};
}
LRESULT WINAPI DefDlgProcA(HWND, UINT, WPARAM, LPARAM) {
    return {};
}
LRESULT WINAPI DefWindowProcA(HWND, UINT, WPARAM, LPARAM) {
    return {};
}
BOOL WINAPI DestroyWindow(HWND) {
    return {};
}
BOOL WINAPI ShowWindow(HWND, int) {
    return {};
}
BOOL WINAPI UpdateWindow(HWND) {
    return {};
}
BOOL WINAPI IsWindow(HWND) {
    return {};
}
BOOL WINAPI IsWindowVisible(HWND) {
    return {};
}
BOOL WINAPI EnableWindow(HWND, BOOL) {
    return {};
}
BOOL WINAPI IsWindowEnabled(HWND) {
    return {};
}
HWND WINAPI GetDlgItem(HWND, int) {
    return {};
}
int WINAPI GetDlgCtrlID(HWND) {
    return {};
}
HWND WINAPI GetParent(HWND) {
    return {};
}
HWND WINAPI SetFocus(HWND) {
    return {};
}
HWND WINAPI GetFocus(void) {
    return {};
}
LONG_PTR WINAPI GetWindowLongPtrA(HWND, int) {
    return {};
}
LRESULT WINAPI SendMessageA(HWND, UINT, WPARAM, LPARAM) {
    return {};
}
BOOL WINAPI PostMessageA(HWND, UINT, WPARAM, LPARAM) {
    return {};
}
BOOL WINAPI GetMessageA(LPMSG, HWND, UINT, UINT) {
    return {};
}
BOOL WINAPI PeekMessageA(LPMSG, HWND, UINT, UINT, UINT) {
    return {};
}
BOOL WINAPI TranslateMessage(const MSG*) {
    return {};
}
LRESULT WINAPI DispatchMessageA(const MSG*) {
    return {};
}
void WINAPI PostQuitMessage(int) {}
BOOL WINAPI IsDialogMessageA(HWND, LPMSG) {
    return {};
}
LRESULT WINAPI SendDlgItemMessageA(HWND, int, UINT, WPARAM, LPARAM) {
    return {};
}
BOOL WINAPI SetDlgItemTextA(HWND, int, LPCSTR) {
    return {};
}
UINT WINAPI GetDlgItemTextA(HWND, int, LPSTR, int) {
    return {};
}
BOOL WINAPI SetWindowTextA(HWND, LPCSTR) {
    return {};
}
int WINAPI GetWindowTextA(HWND, LPSTR, int) {
    return {};
}
BOOL WINAPI CheckDlgButton(HWND, int, UINT) {
    return {};
}
UINT WINAPI IsDlgButtonChecked(HWND, int) {
    return {};
}
BOOL WINAPI CheckRadioButton(HWND, int, int, int) {
    return {};
}
int WINAPI MessageBoxA(HWND, LPCSTR, LPCSTR, UINT) {
    return {};
}
void WINAPI InitCommonControls(void) {}
HWND WINAPI CreateUpDownControl(DWORD, int, int, int, int, HWND, int, HINSTANCE, HWND, int, int,
                                int) {
    return {};
}
