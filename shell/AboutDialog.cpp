// The About box: an object without data, bound to the dialog for as long as it is open.
#include <windows.h>

#include "shell/AboutDialog.h"
#include "res/resource.h"

bool AboutDialog::Show(HINSTANCE instance, HWND owner) {
    if (instance == nullptr || owner == nullptr) {
        return false;
    }
    // Modal: returns when the dialog has ended. Its result does not change what follows.
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutDlgProc,
                    reinterpret_cast<LPARAM>(this));
    return true;
}

INT_PTR AboutDialog::HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        // TRUE lets the platform focus the first tab stop, the OK button.
        return TRUE;
    case WM_COMMAND:
        // The platform sends IDCANCEL for Escape and the close box too.
        if (LOWORD(wParam) == IDOK) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 2);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    AboutDialog* about = nullptr;
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
        about = reinterpret_cast<AboutDialog*>(lParam);
    } else {
        about = reinterpret_cast<AboutDialog*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    }
    // Messages before WM_INITDIALOG, or with nothing readable bound, are not ours.
    if (about == nullptr || IsBadReadPtr(about, 1)) {
        return FALSE;
    }
    return about->HandleMessage(dialog, message, wParam, lParam);
}
